#include "fake_dwmapi.h"

namespace {

const int kMaxCalls = 4096;
const int kMaxAttribute = 64;

FakeDwmCall Calls[kMaxCalls];
int CallCount;
HRESULT Results[kMaxAttribute];

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
