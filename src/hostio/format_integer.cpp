#include "hostio/format_integer.h"

WCHAR *FormatInteger(int value, WCHAR text[kIntegerTextSize])
{
    // Work on the magnitude as unsigned so that the smallest value has one.
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    WCHAR reversed[kIntegerTextSize];
    int count = 0;
    do {
        reversed[count++] = (WCHAR)(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    int length = 0;
    if (value < 0)
        text[length++] = L'-';
    while (count > 0)
        text[length++] = reversed[--count];
    text[length] = 0;
    return text;
}
