// Types that cross the boundary between the host and the library.
#pragma once
#include <windows.h>

// One entry of an action's parameter-slot array: the address of a
// zero-terminated ANSI text owned by the host, or null.
typedef char *ParamText;

// The host callbacks the library calls. Both are stdcall, as the host's are.
typedef int(WINAPI *AddActionProc)(int number, char *name, char *hint,
                                   int editorFlag, int reserved,
                                   int paramCount);
typedef int(WINAPI *SetVariableProc)(char *name, char *value);
