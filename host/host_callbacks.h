// The host's two callbacks that the plug-in calls, and what they received:
// the action catalogue from AddAction and the variable writes from
// SetVariable. The texts are copied and their blocks freed, as a host that
// owns them does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CatalogueEntry {
    int number;
    std::string name;
    std::string hint;
    bool hasEditor;  // the fourth AddAction argument is 2
    int paramCount;
};

struct VariableWrite {
    std::string name;
    std::string value;
};

extern std::vector<CatalogueEntry> Catalogue;
extern std::vector<VariableWrite> VariableWrites;
// When set, every write is printed as it arrives.
extern bool EchoVariableWrites;

int WINAPI HostAddAction(int number, char *name, char *hint, int editorFlag, int reserved,
                         int paramCount);
int WINAPI HostSetVariable(char *name, char *value);

// Copies a text the plug-in handed over and frees its block; "(null)" for
// a null address.
std::string TakeHostText(char *text);
// The value of the last write of `name` since write number `from`, or null.
const std::string *LastWrite(const char *name, size_t from);
