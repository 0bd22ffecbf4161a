#include "plugin/host_state.h"

AddActionProc HostAddAction;
void *HostSecondCallback;
void *HostThirdCallback;
SetVariableProc HostSetVariable;
HWND HostWindow;
HINSTANCE LibraryModule;
