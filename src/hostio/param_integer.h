// Reading a parameter text as a signed 32-bit integer.
#pragma once
#include "hostio/host_types.h"

// The integer value of entry `entry` of `paramSlots`, or `fallback` when the
// array or the entry is null. A present text is always read: blanks, an
// optional sign, "$" for hexadecimal or "%" for binary, then digits; the
// first other character ends the number, and the value wraps modulo 2^32.
int ParamInteger(ParamText *paramSlots, int entry, int fallback);

// The same reading for one text that is known to be present.
int TextInteger(const char *text);
