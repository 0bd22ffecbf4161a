#include "plugin_host.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "stack_check.h"
#include "wine_paths.h"

std::vector<AddActionCall> RecordedActions;
std::vector<VariableWrite> RecordedWrites;

namespace {

std::set<const void *> SeenBlocks;

void ExpectHostText(const char *text, const char *what)
{
    std::string fault = CheckHostText(text);
    EXPECT_TRUE(fault.empty()) << what << ": " << fault;
}

}  // namespace

bool operator==(const FakeDwmCall &a, const FakeDwmCall &b)
{
    return a.window == b.window && a.attribute == b.attribute &&
           a.value == b.value && a.size == b.size;
}

std::ostream &operator<<(std::ostream &out, const FakeDwmCall &call)
{
    char text[96];
    snprintf(text, sizeof text, "{window %d, attribute %lu, value 0x%08lX, size %lu}",
             (int)(INT_PTR)call.window, call.attribute, call.value, call.size);
    return out << text;
}

FakeDwmCall AttributeCall(HWND window, DWORD attribute, DWORD value)
{
    return {window, attribute, value, 4};
}

void ClearRecords()
{
    RecordedActions.clear();
    RecordedWrites.clear();
}

int WINAPI RecordAddAction(int number, char *name, char *hint, int editorFlag,
                           int fifth, int paramCount)
{
    ExpectHostText(name, "AddAction name");
    ExpectHostText(hint, "AddAction hint");
    RecordedActions.push_back({number, name, hint, editorFlag, fifth, paramCount});
    return 12345;  // the plug-in ignores the result
}

int WINAPI RecordSetVariable(char *name, char *value)
{
    ExpectHostText(name, "SetVariable name");
    ExpectHostText(value, "SetVariable value");
    RecordedWrites.push_back({name, value});
    return 54321;
}

std::vector<std::string> WriteLines()
{
    std::vector<std::string> lines;
    for (const VariableWrite &write : RecordedWrites)
        lines.push_back(std::string(write.name ? write.name : "(null)") + "=" +
                        (write.value ? write.value : "(null)"));
    return lines;
}

std::optional<std::string> LastValue(const std::string &name)
{
    for (auto it = RecordedWrites.rbegin(); it != RecordedWrites.rend(); ++it) {
        if (it->name != nullptr && name == it->name)
            return std::string(it->value ? it->value : "");
    }
    return std::nullopt;
}

std::string CheckHostText(const char *text)
{
    if (text == nullptr)
        return "null text";
    if (!SeenBlocks.insert(text).second)
        return "block handed over twice: \"" + std::string(text) + "\"";
    if (GlobalHandle(text) != (HGLOBAL)text)
        return "not a fixed GlobalAlloc block";
    SIZE_T size = GlobalSize((HGLOBAL)text);
    SIZE_T expected = strlen(text) + 1;
    if (size != expected)
        return "block of " + std::to_string(size) + " bytes for a text of " +
               std::to_string(expected - 1);
    return "";
}

std::wstring PluginPath()
{
    const char *configured = getenv("ZELVAR_PLUGIN");
    if (configured != nullptr && *configured != 0)
        return WindowsPathOf(configured);
    return L"ZelvarPlugin.dll";
}

std::wstring SystemDwmPath() { return SystemFilePath(L"dwmapi.dll"); }

bool Plugin::Load()
{
    module_ = LoadLibraryW(PluginPath().c_str());
    if (module_ == nullptr)
        return false;
    register_ = GetProcAddress(module_, "_nbRegisterPlugIn");
    init_ = GetProcAddress(module_, "_nbInitPlugIn");
    exec_ = GetProcAddress(module_, "_nbExecAction");
    edit_ = GetProcAddress(module_, "_nbEditAction");
    message_ = GetProcAddress(module_, "_nbMessage");
    return register_ && init_ && exec_ && edit_ && message_;
}

void Plugin::Unload()
{
    if (module_ != nullptr)
        FreeLibrary(module_);
    module_ = nullptr;
}

int Plugin::Call(FARPROC function, std::initializer_list<int> args,
                 const char *name)
{
    std::vector<int> values(args);
    int delta = 0x7fffffff;
    int result = CallWithStackCheck((const void *)function, (int)values.size(),
                                    values.data(), &delta);
    EXPECT_EQ(delta, 0) << name << " moved the stack pointer: not stdcall, "
                        << "or a different number of arguments";
    return result;
}

static int Arg(const void *pointer) { return (int)(INT_PTR)pointer; }

int Plugin::RegisterPlugIn(void *addAction, void *second, void *third,
                           void *setVariable)
{
    return Call(register_, {Arg(addAction), Arg(second), Arg(third), Arg(setVariable)},
                "_nbRegisterPlugIn");
}

int Plugin::RegisterRecording()
{
    return RegisterPlugIn((void *)RecordAddAction, (void *)0x11110001,
                          (void *)0x11110002, (void *)RecordSetVariable);
}

int Plugin::InitPlugIn(HWND window, char **title, char **publisher, char **hint)
{
    return Call(init_, {Arg(window), Arg(title), Arg(publisher), Arg(hint)},
                "_nbInitPlugIn");
}

int Plugin::ExecAction(int action, char **slots)
{
    return Call(exec_, {action, Arg(slots)}, "_nbExecAction");
}

int Plugin::EditAction(int action, char **slots)
{
    return Call(edit_, {action, Arg(slots)}, "_nbEditAction");
}

int Plugin::Message(int first, int second)
{
    return Call(message_, {first, second}, "_nbMessage");
}

ParamSlots::ParamSlots(std::initializer_list<std::optional<std::string>> texts)
{
    for (const auto &text : texts) {
        if (text) {
            storage_.push_back(std::make_unique<std::string>(*text));
            slots_.push_back(storage_.back()->data());
        } else {
            slots_.push_back(nullptr);
        }
    }
    // Room beyond the declared entries, filled with a pointer no reader may
    // follow, so a read past the parameter count crashes the test.
    for (int i = 0; i < 4; i++)
        slots_.push_back((char *)(INT_PTR)0x00000010);
    original_ = slots_;
}

std::string ParamSlots::Text(int entry) const
{
    return slots_[entry] ? std::string(slots_[entry]) : std::string("(null)");
}

bool FakeDwm::Load()
{
    module_ = LoadLibraryW(SystemDwmPath().c_str());
    if (module_ == nullptr)
        return false;
    reset_ = (FakeDwmResetProc)(void *)GetProcAddress(module_, "FakeDwm_Reset");
    setResult_ = (FakeDwmSetResultProc)(void *)GetProcAddress(module_, "FakeDwm_SetResult");
    count_ = (FakeDwmCallCountProc)(void *)GetProcAddress(module_, "FakeDwm_CallCount");
    get_ = (FakeDwmGetCallProc)(void *)GetProcAddress(module_, "FakeDwm_GetCall");
    if (!reset_ || !setResult_ || !count_ || !get_)
        return false;
    reset_();
    return true;
}

void FakeDwm::Unload()
{
    if (module_ != nullptr)
        FreeLibrary(module_);
    module_ = nullptr;
}

std::vector<FakeDwmCall> FakeDwm::Calls() const
{
    std::vector<FakeDwmCall> calls;
    FakeDwmCall call;
    for (int i = 0; get_(i, &call); i++)
        calls.push_back(call);
    return calls;
}

static LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHostWindow(const wchar_t *title, DWORD extendedStyle)
{
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HostWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
        windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"ZelvarTestHost";
        atom = RegisterClassW(&windowClass);
    }
    HWND window = CreateWindowExW(extendedStyle, L"ZelvarTestHost", title,
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320,
                                  200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
    return window;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
