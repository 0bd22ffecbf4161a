// info: what the plug-in says about itself.
#include <stdio.h>

#include "commands.h"
#include "host_callbacks.h"

void PrintPluginOverview(const PluginDescription &description)
{
    printf("\nDescription:\n  Title:      %s\n  Publisher:  %s\n  Hint:       %s\n",
           description.title.c_str(), description.publisher.c_str(), description.hint.c_str());
    int nameWidth = 6;
    for (const CatalogueEntry &entry : Catalogue)
        nameWidth = entry.name.size() > (size_t)nameWidth ? (int)entry.name.size() : nameWidth;
    printf("\nCatalogue (%d actions):\n", (int)Catalogue.size());
    printf("  %2s  %-*s  %-6s  %-6s  %s\n", "#", nameWidth, "Action", "Params", "Editor", "Hint");
    for (const CatalogueEntry &entry : Catalogue)
        printf("  %2d  %-*s  %-6d  %-6s  %s\n", entry.number, nameWidth, entry.name.c_str(),
               entry.paramCount, entry.hasEditor ? "yes" : "no", entry.hint.c_str());
}

int RunInfoCommand(const Arguments &arguments)
{
    LoadedPlugin plugin = {};
    int code = OpenPlugin(arguments, &plugin);
    if (code != 0)
        return code;
    // The description needs no window: the plug-in gets none.
    PrintPluginOverview(InitHost(plugin, NULL));
    UnloadPlugin(&plugin);
    return 0;
}
