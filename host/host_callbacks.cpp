#include "host_callbacks.h"

#include <stdio.h>

std::vector<CatalogueEntry> Catalogue;
std::vector<VariableWrite> VariableWrites;
bool EchoVariableWrites = true;

std::string TakeHostText(char *text)
{
    if (text == NULL)
        return "(null)";
    std::string copy(text);
    GlobalFree((HGLOBAL)text);
    return copy;
}

int WINAPI HostAddAction(int number, char *name, char *hint, int editorFlag, int reserved,
                         int paramCount)
{
    (void)reserved;
    std::string nameText = TakeHostText(name);
    std::string hintText = TakeHostText(hint);
    Catalogue.push_back({number, nameText, hintText, editorFlag == 2, paramCount});
    return 0;
}

int WINAPI HostSetVariable(char *name, char *value)
{
    bool nullValue = value == NULL;
    VariableWrite write = {TakeHostText(name), nullValue ? "" : TakeHostText(value)};
    if (EchoVariableWrites)
        printf(nullValue ? "    %s = null\n" : "    %s = \"%s\"\n", write.name.c_str(),
               write.value.c_str());
    VariableWrites.push_back(write);
    return 0;
}

const std::string *LastWrite(const char *name, size_t from)
{
    for (size_t i = VariableWrites.size(); i > from; i--) {
        if (VariableWrites[i - 1].name == name)
            return &VariableWrites[i - 1].value;
    }
    return NULL;
}
