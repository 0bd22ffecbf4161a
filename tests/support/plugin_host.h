// A host for the tests: loads the built plug-in, drives it through its five
// exports the way the real host does, and records every callback.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../fake_dwmapi/fake_dwmapi.h"

// Window-manager calls compare field by field and print readably.
bool operator==(const FakeDwmCall &a, const FakeDwmCall &b);
std::ostream &operator<<(std::ostream &out, const FakeDwmCall &call);
// The call the plug-in makes to set `attribute` to `value` on `window`.
FakeDwmCall AttributeCall(HWND window, DWORD attribute, DWORD value);

// One call of the host's AddAction callback.
struct AddActionCall {
    int number;
    const char *name;
    const char *hint;
    int editorFlag;
    int fifth;
    int paramCount;
};

// One call of the host's SetVariable callback.
struct VariableWrite {
    const char *name;
    const char *value;
};

// Everything the callbacks saw, in order.
extern std::vector<AddActionCall> RecordedActions;
extern std::vector<VariableWrite> RecordedWrites;
void ClearRecords();

int WINAPI RecordAddAction(int number, char *name, char *hint, int editorFlag,
                           int fifth, int paramCount);
int WINAPI RecordSetVariable(char *name, char *value);

// The writes as "name=value" lines, for compact comparisons.
std::vector<std::string> WriteLines();
// The value of the last write of `name`, if any.
std::optional<std::string> LastValue(const std::string &name);

// Checks that `text` is a block the plug-in handed over: a fixed GlobalAlloc
// block of exactly strlen+1 bytes, never seen before. Returns a failure
// message, or an empty string.
std::string CheckHostText(const char *text);

// The library's path as Wine sees it: ZELVAR_PLUGIN, else beside the tests.
std::wstring PluginPath();
std::wstring SystemDwmPath();

// The loaded plug-in. Every export call goes through CallWithStackCheck and
// fails the test when the stack pointer moved.
class Plugin {
public:
    bool Load();
    void Unload();
    HMODULE Module() const { return module_; }

    int RegisterPlugIn(void *addAction, void *second, void *third,
                       void *setVariable);
    // Registers the recording callbacks.
    int RegisterRecording();
    int InitPlugIn(HWND window, char **title, char **publisher, char **hint);
    int ExecAction(int action, char **slots);
    int EditAction(int action, char **slots);
    int Message(int first, int second);

private:
    int Call(FARPROC function, std::initializer_list<int> args,
             const char *name);
    HMODULE module_ = nullptr;
    FARPROC register_ = nullptr, init_ = nullptr, exec_ = nullptr,
            edit_ = nullptr, message_ = nullptr;
};

// Parameter texts owned by the "host": each entry a text or null.
class ParamSlots {
public:
    ParamSlots(std::initializer_list<std::optional<std::string>> texts);
    char **Slots() { return slots_.data(); }
    char *Original(int entry) const { return original_[entry]; }
    std::string Text(int entry) const;

private:
    std::vector<std::unique_ptr<std::string>> storage_;
    std::vector<char *> slots_;
    std::vector<char *> original_;
};

// The fake window manager, loaded from the system directory by the test
// itself (so it stays loaded, and keeps its records, across plug-in loads).
class FakeDwm {
public:
    bool Load();
    void Unload();
    void Reset() const { reset_(); }
    void SetResult(DWORD attribute, HRESULT result) const { setResult_(attribute, result); }
    std::vector<FakeDwmCall> Calls() const;
    HMODULE Module() const { return module_; }

private:
    HMODULE module_ = nullptr;
    FakeDwmResetProc reset_ = nullptr;
    FakeDwmSetResultProc setResult_ = nullptr;
    FakeDwmCallCountProc count_ = nullptr;
    FakeDwmGetCallProc get_ = nullptr;
};

// A visible top-level window of the test, standing for the host's window.
HWND CreateHostWindow(const wchar_t *title = L"Zelvar test host",
                      DWORD extendedStyle = 0);
// Processes the thread's pending messages.
void PumpMessages();
