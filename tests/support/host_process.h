// Runs zelvar-host.exe as a child process with its standard output and
// error on pipes, the way a user's shell or a script runs it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The workbench's path as Wine sees it: ZELVAR_HOST, else beside the tests.
std::wstring HostProgramPath();

class HostProcess {
public:
    HostProcess() = default;
    HostProcess(const HostProcess &) = delete;
    HostProcess &operator=(const HostProcess &) = delete;
    ~HostProcess();

    // Starts zelvar-host with `args`, each passed as one argument.
    bool Start(const std::vector<std::string> &args);
    // Waits for the exit; on time-out the process is ended and false returned.
    bool Wait(DWORD milliseconds = 60000);
    bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    DWORD ProcessId() const { return processId_; }
    // Whether the standard output has shown `text` yet; waits up to
    // `milliseconds` for it while the process runs.
    bool WaitForOutput(const std::string &text, DWORD milliseconds = 30000);

    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;  // complete once Wait returned

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    // Reads what the pipes hold now. The pipes are polled, not read to
    // their end: a helper process that Wine starts from the child (its
    // desktop process) may inherit them and keep them open.
    void ReadAvailable();
    HANDLE outPipe_ = nullptr, errPipe_ = nullptr;
};

// Starts zelvar-host with `args` and waits for it to end.
struct HostRun {
    bool finished;
    DWORD exitCode;
    std::string out, err;
};
HostRun RunHost(const std::vector<std::string> &args);

// The lines of `text`, without their line ends.
std::vector<std::string> Lines(const std::string &text);
// A visible top-level window of process `processId` whose class or title is
// `name` (either may be null for "any"); waits up to `milliseconds`.
HWND WaitForWindowOf(DWORD processId, const wchar_t *className, const wchar_t *title,
                     DWORD milliseconds = 30000);
