#include "hostio/host_text.h"

char *ToHostText(const WCHAR *text)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    int count = bytes > 0 ? bytes - 1 : 0;
    char *block = (char *)GlobalAlloc(GPTR, count + 1);
    if (block == NULL)
        return NULL;
    int written = 0;
    if (count > 0)
        written = WideCharToMultiByte(CP_ACP, 0, text, lstrlenW(text), block,
                                      count, NULL, NULL);
    block[written] = 0;
    return block;
}
