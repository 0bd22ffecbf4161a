// Choosing the host window handed to the plug-in: zelvar-host's own, the
// one of --window, or the first whose title contains the text of --title.
#pragma once
#include <windows.h>

#include <string>

#include "arguments.h"
#include "exit_codes.h"

struct TargetWindow {
    HWND window;
    // Created by zelvar-host. It goes with the process, which ends right
    // after the commands (quicker under Wine than DestroyWindow).
    bool own;
};

// On failure returns false with the exit code and a one-line reason.
bool SelectTargetWindow(const Arguments &arguments, TargetWindow *target, ExitCode *code,
                        std::string *error);

// "65794 "Untitled - Notepad"", for printing.
std::string DescribeWindow(HWND window);
