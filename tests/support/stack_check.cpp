#include "stack_check.h"

// esi is callee-saved, so it still holds the stack pointer of before the
// pushes when the callee returns.
asm(R"(
    .text
    .globl _CallWithStackCheck
_CallWithStackCheck:
    pushl %ebp
    movl  %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl  %esp, %esi
    movl  12(%ebp), %ecx
    movl  16(%ebp), %edx
1:  testl %ecx, %ecx
    jz    2f
    decl  %ecx
    pushl (%edx,%ecx,4)
    jmp   1b
2:  call  *8(%ebp)
    movl  %esp, %ecx
    subl  %esi, %ecx
    movl  20(%ebp), %edx
    movl  %ecx, (%edx)
    movl  %esi, %esp
    popl  %edi
    popl  %esi
    popl  %ebx
    popl  %ebp
    ret
)");
