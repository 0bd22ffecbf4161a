#include "hostio/param_integer.h"

namespace {

enum ReaderPhase { kBlanks, kSign, kBase, kDigits, kDone };

struct NumberReader {
    ReaderPhase phase;
    bool negative;
    unsigned base;
    unsigned long long value;
};

int DigitValue(WCHAR c, unsigned base)
{
    int digit = -1;
    if (c >= L'0' && c <= L'9')
        digit = c - L'0';
    else if (c >= L'A' && c <= L'F')
        digit = c - L'A' + 10;
    else if (c >= L'a' && c <= L'f')
        digit = c - L'a' + 10;
    return digit >= 0 && (unsigned)digit < base ? digit : -1;
}

// Feeds one character; returns false once the number has ended.
bool FeedNumberChar(NumberReader *reader, WCHAR c)
{
    switch (reader->phase) {
    case kBlanks:
        if (c == L' ' || c == L'\t')
            return true;
        reader->phase = kSign;
        // fall through
    case kSign:
        reader->phase = kBase;
        if (c == L'-' || c == L'+') {
            reader->negative = c == L'-';
            return true;
        }
        // fall through
    case kBase:
        reader->phase = kDigits;
        if (c == L'$') {
            reader->base = 16;
            return true;
        }
        if (c == L'%') {
            reader->base = 2;
            return true;
        }
        // fall through
    case kDigits: {
        int digit = DigitValue(c, reader->base);
        if (digit < 0) {
            reader->phase = kDone;
            return false;
        }
        reader->value = reader->value * reader->base + (unsigned)digit;
        return true;
    }
    case kDone:
        break;
    }
    return false;
}

int ReaderResult(const NumberReader *reader)
{
    unsigned long long value = reader->negative ? 0 - reader->value : reader->value;
    return (int)(unsigned)value;
}

// Texts up to this many characters are converted on the stack.
const int kShortText = 256;

}  // namespace

int TextInteger(const char *text)
{
    NumberReader reader = {kBlanks, false, 10, 0};
    WCHAR shortBuffer[kShortText];
    WCHAR *wide = shortBuffer;
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kShortText);
    if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // A long text is measured, then converted into a block of its size.
        length = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
        wide = length > 0 ? (WCHAR *)HeapAlloc(GetProcessHeap(), 0,
                                                length * sizeof(WCHAR))
                          : NULL;
        if (wide != NULL &&
            MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length) != length)
            length = 0;
    }

    if (wide != NULL && length > 0) {
        for (int i = 0; wide[i] != 0 && FeedNumberChar(&reader, wide[i]); i++) {
        }
    } else {
        // Without memory for the conversion the bytes are read directly. That
        // reads the same number: everything the grammar accepts is ASCII,
        // which every ANSI code page keeps as it is, and the first byte above
        // 127 starts a character outside the grammar and so ends the number.
        for (int i = 0; text[i] != 0 && (BYTE)text[i] < 0x80 &&
                        FeedNumberChar(&reader, (WCHAR)(BYTE)text[i]);
             i++) {
        }
    }
    if (wide != shortBuffer && wide != NULL)
        HeapFree(GetProcessHeap(), 0, wide);
    return ReaderResult(&reader);
}

int ParamInteger(ParamText *paramSlots, int entry, int fallback)
{
    if (paramSlots == NULL || paramSlots[entry] == NULL)
        return fallback;
    return TextInteger(paramSlots[entry]);
}
