#include "host_process.h"

#include <stdlib.h>

#include "wine_paths.h"

namespace {

std::wstring Widen(const std::string &text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return wide;
}

// One argument quoted so that the C runtime's parser gives it back as is.
std::wstring Quote(const std::wstring &arg)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            backslashes++;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

struct WindowSearch {
    DWORD processId;
    const wchar_t *className;
    const wchar_t *title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowSearch *search = (WindowSearch *)lParam;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t text[256] = L"";
    if (process != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (search->className != nullptr &&
        (!GetClassNameW(window, text, 256) || lstrcmpW(text, search->className) != 0))
        return TRUE;
    if (search->title != nullptr &&
        (GetWindowTextW(window, text, 256) <= 0 || lstrcmpW(text, search->title) != 0))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::wstring HostProgramPath()
{
    const char *configured = getenv("ZELVAR_HOST");
    if (configured == nullptr || *configured == 0)
        return L"zelvar-host.exe";
    return WindowsPathOf(configured);
}

HostProcess::~HostProcess()
{
    if (process_ != nullptr && Running())
        TerminateProcess(process_, 99);
    Wait(10000);
}

bool HostProcess::Start(const std::vector<std::string> &args)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0))
        return false;
    if (!CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return false;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherit, OPEN_EXISTING, 0, nullptr);

    std::wstring program = HostProgramPath();
    std::wstring commandLine = Quote(program);
    for (const std::string &arg : args)
        commandLine += L" " + Quote(Widen(arg));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                  nullptr, nullptr, &startup, &info);
    // Only the child holds the write ends now: the readers see the end of
    // the output when it exits.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    outPipe_ = outRead;
    errPipe_ = errRead;
    return true;
}

void HostProcess::ReadAvailable()
{
    const struct {
        HANDLE pipe;
        std::string *text;
    } pipes[] = {{outPipe_, &out}, {errPipe_, &err}};
    for (const auto &p : pipes) {
        DWORD available = 0;
        while (p.pipe != nullptr && PeekNamedPipe(p.pipe, nullptr, 0, nullptr, &available, nullptr) &&
               available > 0) {
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(p.pipe, buffer, available < sizeof buffer ? available : sizeof buffer,
                          &read, nullptr) || read == 0)
                break;
            p.text->append(buffer, read);
        }
    }
}

bool HostProcess::Wait(DWORD milliseconds)
{
    if (process_ == nullptr)
        return false;
    DWORD start = GetTickCount();
    bool finished = false;
    for (;;) {
        ReadAvailable();
        finished = WaitForSingleObject(process_, 20) == WAIT_OBJECT_0;
        if (finished || GetTickCount() - start >= milliseconds)
            break;
    }
    if (!finished) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
    ReadAvailable();  // everything the process wrote before it ended
    GetExitCodeProcess(process_, &exitCode);
    CloseHandle(process_);
    CloseHandle(outPipe_);
    CloseHandle(errPipe_);
    process_ = outPipe_ = errPipe_ = nullptr;
    return finished;
}

bool HostProcess::WaitForOutput(const std::string &text, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        ReadAvailable();
        if (out.find(text) != std::string::npos)
            return true;
        if (!Running() || GetTickCount() - start >= milliseconds)
            return false;
        Sleep(20);
    }
}

HostRun RunHost(const std::vector<std::string> &args)
{
    HostProcess host;
    if (!host.Start(args))
        return {false, 0xFFFFFFFF, "", "cannot start zelvar-host"};
    bool finished = host.Wait();
    return {finished, host.exitCode, host.out, host.err};
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

HWND WaitForWindowOf(DWORD processId, const wchar_t *className, const wchar_t *title,
                     DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        WindowSearch search = {processId, className, title, nullptr};
        EnumWindows(MatchWindow, (LPARAM)&search);
        if (search.found != nullptr)
            return search.found;
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}
