// What the library keeps of the host between calls.
#pragma once
#include "hostio/host_types.h"

// The four callbacks of the last _nbRegisterPlugIn, null ones included.
// Only the first and the fourth are ever called.
extern AddActionProc HostAddAction;
extern void *HostSecondCallback;
extern void *HostThirdCallback;
extern SetVariableProc HostSetVariable;

// The window of the last _nbInitPlugIn; the target of every title-bar
// action whose window argument is 0. Null until then.
extern HWND HostWindow;

// The library's own module, for the windows and resources it makes.
extern HINSTANCE LibraryModule;
