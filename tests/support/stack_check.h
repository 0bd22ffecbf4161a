// Calls a stdcall function with 32-bit arguments and measures how far the
// stack pointer moved across the call: 0 for a correct stdcall callee, the
// size of the arguments for a cdecl one.
#pragma once

extern "C" int __cdecl CallWithStackCheck(const void *function, int argc,
                                          const int *argv, int *stackDelta);
