// The commands of zelvar-host; each returns the exit code.
#pragma once
#include <vector>

#include "arguments.h"
#include "plugin_loader.h"
#include "session.h"

int RunDemoCommand(const Arguments &arguments);
int RunInfoCommand(const Arguments &arguments);
int RunRunCommand(const Arguments &arguments);
int RunEditCommand(const Arguments &arguments);
int RunGalleryCommand(const Arguments &arguments);

// Shared by demo and info: the description and the catalogue table.
void PrintPluginOverview(const PluginDescription &description);
// Shared by demo and run: executes the actions in turn, printing each one,
// its variable writes and its result. Returns how many returned 1.
int ExecuteActions(const LoadedPlugin &plugin, const std::vector<ResolvedAction> &actions);
