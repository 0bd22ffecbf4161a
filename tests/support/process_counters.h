// What the process holds: handles, GDI objects, private memory and heap. Each
// figure comes from the system's own counter where it answers, else from a
// count of our own, because Wine leaves some of these counters empty.
#pragma once
#include <windows.h>

struct ProcessCounters {
    DWORD handles;
    DWORD gdiObjects;
    SIZE_T commitCharge;     // PrivateUsage, or PagefileUsage where it is 0
    SIZE_T privateCommitted; // committed MEM_PRIVATE pages, by VirtualQuery
    SIZE_T heapBytes;        // bytes in use in all the process's heaps
};

ProcessCounters ReadProcessCounters();

// Which method each figure came from, for the report.
const char *HandleCountMethod();
const char *GdiCountMethod();
const char *CommitChargeMethod();
