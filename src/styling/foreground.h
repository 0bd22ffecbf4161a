// The query behind qzvZelvar_GetActiveWindow.
#pragma once

// Publishes the foreground window's title and handle; 0 when there is no
// foreground window.
int QueryForegroundWindow();
