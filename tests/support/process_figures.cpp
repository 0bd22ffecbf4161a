#include "process_figures.h"

namespace {

DWORD CountHandles()
{
    // Handle values are multiples of 4; probing a generous range finds
    // every open one.
    DWORD count = 0, flags;
    for (UINT_PTR value = 4; value < 0x20000; value += 4) {
        if (GetHandleInformation((HANDLE)value, &flags))
            count++;
    }
    return count;
}

SIZE_T CommittedPrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const BYTE *address = nullptr;
         VirtualQuery(address, &info, sizeof info) == sizeof info;
         address = (const BYTE *)info.BaseAddress + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        if ((UINT_PTR)info.BaseAddress + info.RegionSize < (UINT_PTR)info.BaseAddress)
            break;
    }
    return total;
}

SIZE_T HeapBytesInUse()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    SIZE_T total = 0;
    for (DWORD i = 0; i < count && i < 64; i++) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

}  // namespace

ProcessFigures MeasureProcess()
{
    return {CountHandles(), CommittedPrivateBytes(), HeapBytesInUse()};
}
