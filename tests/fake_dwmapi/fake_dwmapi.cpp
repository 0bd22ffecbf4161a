#include "fake_dwmapi.h"

namespace {

const int kMaxCalls = 4096;
const int kMaxAttribute = 64;

FakeDwmCall Calls[kMaxCalls];
int CallCount;
HRESULT Results[kMaxAttribute];

// A process the test starts (such as the workbench) keeps its records to
// itself; with ZELVAR_FAKE_DWM_LOG naming a file, every call is also
// appended there as a line "window attribute value size".
void AppendToLog(HWND window, DWORD attribute, DWORD value, DWORD size)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("ZELVAR_FAKE_DWM_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[64];
    int count = wsprintfA(line, "%d %lu %lu %lu\r\n", (int)(INT_PTR)window, attribute,
                          value, size);
    DWORD written = 0;
    WriteFile(file, line, count, &written, NULL);
    CloseHandle(file);
}

}  // namespace

extern "C" {

HRESULT WINAPI DwmSetWindowAttribute(HWND window, DWORD attribute,
                                     LPCVOID value, DWORD size)
{
    if (CallCount < kMaxCalls) {
        FakeDwmCall &call = Calls[CallCount];
        call.window = window;
        call.attribute = attribute;
        call.value = value != NULL && size >= 4 ? *(const DWORD *)value : 0xDEADBEEF;
        call.size = size;
    }
    CallCount++;
    AppendToLog(window, attribute, value != NULL && size >= 4 ? *(const DWORD *)value : 0xDEADBEEF,
                size);
    return attribute < kMaxAttribute ? Results[attribute] : E_INVALIDARG;
}

void WINAPI FakeDwm_Reset()
{
    CallCount = 0;
    for (HRESULT &result : Results)
        result = S_OK;
}

void WINAPI FakeDwm_SetResult(DWORD attribute, HRESULT result)
{
    if (attribute < kMaxAttribute)
        Results[attribute] = result;
}

int WINAPI FakeDwm_CallCount() { return CallCount; }

BOOL WINAPI FakeDwm_GetCall(int index, FakeDwmCall *call)
{
    if (index < 0 || index >= CallCount || index >= kMaxCalls)
        return FALSE;
    *call = Calls[index];
    return TRUE;
}

}  // extern "C"
