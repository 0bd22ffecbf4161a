// The design-time editor of the two colour actions: the system colour
// dialog, started from the action's red, green and blue parameters.
#pragma once
#include "hostio/host_types.h"

// Lets the author pick a colour and on OK writes its components into
// entries 0-2 as new texts. Returns 1 on OK, 0 when no colour was chosen.
// `title` names the request; the dialog keeps the system's own caption.
int EditColorParams(const WCHAR *title, ParamText *paramSlots);

// No colour was chosen.
const DWORD kNoColor = 0xFFFFFFFF;

// Runs the colour dialog from `initial`; returns the colour or kNoColor.
DWORD PickColor(DWORD initial);
