#include "report.h"

#include <stdio.h>

int ReportError(ExitCode code, const std::string &message)
{
    fprintf(stderr, "zelvar-host: %s\n", message.c_str());
    return code;
}

std::string SystemErrorText(DWORD code)
{
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  NULL, code, 0, text, sizeof text, NULL);
    // One line: no line breaks, no closing full stop.
    for (DWORD i = 0; i < length; i++) {
        if (text[i] == '\r' || text[i] == '\n')
            text[i] = ' ';
    }
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '.'))
        text[--length] = 0;
    std::string message = "error " + std::to_string(code);
    if (length > 0)
        message += std::string(": ") + text;
    return message;
}
