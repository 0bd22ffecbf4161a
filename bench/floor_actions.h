// The floor of every action: the Win32 work that the action's contract
// cannot do without, done inline by the benchmark with no layers between
// the calls. That is: each parameter text converted with
// MultiByteToWideChar (CP_ACP) and read by the number grammar; the
// window-manager calls through the same fake dwmapi.dll the plug-in binds;
// every HostText made as the contract says (the ANSI byte count, a
// GlobalAlloc GPTR block, the conversion into it); and the SetVariable
// calls. It handles the inputs the benchmark gives it (short texts, the
// success paths), and nothing more.
#pragma once
#include "bench_host.h"

void SetFloorHost(HWND hostWindow, DwmSetAttributeProc setAttribute,
                  SetVariableProc setVariable);

// Does what _nbExecAction(action, slots) does for these inputs.
int FloorExecAction(int action, char **slots);
