// Errors as zelvar-host reports them: one line on standard error.
#pragma once
#include <windows.h>

#include <string>

#include "exit_codes.h"

// Prints "zelvar-host: MESSAGE" on stderr and returns `code`.
int ReportError(ExitCode code, const std::string &message);
// "error 2: The system cannot find the file specified" for a Windows error code.
std::string SystemErrorText(DWORD code);
