#include "hostio/host_text.h"

char *ToHostText(const WCHAR *text)
{
    // Both the count and the conversion include the terminator, so the
    // block is filled exactly: the text's bytes, then one zero byte.
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    if (bytes < 1)
        bytes = 1;
    char *block = (char *)GlobalAlloc(GPTR, bytes);
    if (block == NULL)
        return NULL;
    if (bytes > 1)
        WideCharToMultiByte(CP_ACP, 0, text, -1, block, bytes, NULL, NULL);
    return block;
}
