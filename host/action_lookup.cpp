#include "action_lookup.h"

#include <ctype.h>

namespace {

const char kActionPrefix[] = "qzvzelvar_";

// Lower case, and without the action prefix.
std::string BareName(const std::string &name)
{
    std::string lower;
    for (char c : name)
        lower += (char)tolower((unsigned char)c);
    if (lower.compare(0, sizeof kActionPrefix - 1, kActionPrefix) == 0)
        lower.erase(0, sizeof kActionPrefix - 1);
    return lower;
}

bool IsDecimal(const std::string &token)
{
    if (token.empty() || token.size() > 9)
        return false;
    for (char c : token) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

}  // namespace

const CatalogueEntry *FindAction(const std::string &token)
{
    bool byNumber = IsDecimal(token);
    int number = byNumber ? std::stoi(token) : 0;
    std::string bare = BareName(token);
    for (const CatalogueEntry &entry : Catalogue) {
        if (byNumber ? entry.number == number : BareName(entry.name) == bare)
            return &entry;
    }
    return nullptr;
}
