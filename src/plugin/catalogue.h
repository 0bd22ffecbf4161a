// The six actions the library offers the host.
#pragma once

enum ActionNumber {
    kActionSetColor = 1,
    kActionSetTextColor = 2,
    kActionApplyTheme = 3,
    kActionGetActiveWindow = 4,
    kActionRemoveStyle = 5,
    kActionSetBlur = 6,
};

// Registers the six actions through the host's AddAction callback, with new
// texts each time. Does nothing when the host gave no AddAction.
void RegisterActions();
