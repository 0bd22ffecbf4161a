#include "hostio/compose_text.h"

#include "hostio/format_integer.h"

WCHAR *AppendText(WCHAR *buffer, int capacity, const WCHAR *piece)
{
    int length = 0;
    while (buffer[length] != 0)
        length++;
    while (*piece != 0 && length < capacity - 1)
        buffer[length++] = *piece++;
    buffer[length] = 0;
    return buffer;
}

WCHAR *AppendInteger(WCHAR *buffer, int capacity, int value)
{
    WCHAR number[kIntegerTextSize];
    return AppendText(buffer, capacity, FormatInteger(value, number));
}

WCHAR *FormatColorTriple(WCHAR *buffer, int capacity, int red, int green,
                         int blue)
{
    buffer[0] = 0;
    AppendInteger(buffer, capacity, red);
    AppendText(buffer, capacity, L",");
    AppendInteger(buffer, capacity, green);
    AppendText(buffer, capacity, L",");
    return AppendInteger(buffer, capacity, blue);
}
