// The steps every command shares: load and register the plug-in, look up
// the requested actions, pick the host window and initialise the plug-in.
// Each reports its own error and returns an exit code (kExitOk to go on).
#pragma once
#include <vector>

#include "arguments.h"
#include "host_callbacks.h"
#include "plugin_loader.h"
#include "target_window.h"

struct ResolvedAction {
    const CatalogueEntry *entry;
    const ActionRequest *request;
};

int OpenPlugin(const Arguments &arguments, LoadedPlugin *plugin);
int ResolveActions(const Arguments &arguments, std::vector<ResolvedAction> *actions);
// Picks the host window, initialises the plug-in with it and says which it
// is; `description` (may be null) receives what initialisation returned.
int OpenHostWindow(const Arguments &arguments, const LoadedPlugin &plugin, TargetWindow *target,
                   PluginDescription *description = nullptr);
// --keep-open: serves zelvar-host's window until it is closed.
void KeepOpenIfAsked(const Arguments &arguments, const TargetWindow &target);
