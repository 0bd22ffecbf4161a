// Finding an action of the plug-in's catalogue by what the user typed.
#pragma once
#include <string>

#include "host_callbacks.h"

// The entry whose number is `token` (decimal), or whose name equals it
// ignoring case, with or without the qzvZelvar_ prefix; null when none.
const CatalogueEntry *FindAction(const std::string &token);
