// What a process holds, measured in ways that also work under Wine (whose
// GetProcessHandleCount and PrivateUsage report 0).
#pragma once
#include <windows.h>

struct ProcessFigures {
    DWORD handles;        // open kernel handles, found by probing
    SIZE_T privateBytes;  // committed private pages (a VirtualQuery walk)
    SIZE_T heapBytes;     // bytes in use in all the process's heaps
};

ProcessFigures MeasureProcess();
