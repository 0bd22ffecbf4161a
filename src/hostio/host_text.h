// Texts handed to the host.
#pragma once
#include "hostio/host_types.h"

// A new GlobalAlloc(GPTR) block holding `text` in the ANSI code page with
// one terminating zero byte and nothing more, or null when no memory was
// available. The block belongs to the host from then on.
char *ToHostText(const WCHAR *text);
