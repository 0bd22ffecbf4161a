// The design-time editor of the theme action: the "Choose Theme" window.
#pragma once
#include "hostio/host_types.h"

// Lets the author pick one of the 20 themes, preselecting the one entry 0
// names, and on OK writes the chosen number into entry 0 as a new text.
// Returns 1 on OK with a theme selected, 0 otherwise. While a chooser is
// open a second request is refused with 0 and the open one comes forward.
int EditThemeParams(ParamText *paramSlots);
