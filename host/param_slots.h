// A parameter-slot array as a host hands it to the plug-in: one entry per
// parameter of the action, each the address of a text of the host's or null.
#pragma once
#include <optional>
#include <string>
#include <vector>

class ParamSlotArray {
public:
    // `count` entries: the given texts, then null entries.
    ParamSlotArray(const std::vector<std::optional<std::string>> &texts, int count);
    char **Slots() { return slots_.empty() ? nullptr : slots_.data(); }
    int Count() const { return (int)slots_.size(); }
    // The address the host put in entry `index`, before any editor ran.
    const char *Original(int index) const { return original_[index]; }

private:
    std::vector<std::string> storage_;
    std::vector<char *> slots_;
    std::vector<char *> original_;
};

// `"0" "120" null` for printing; an empty list shows as "(no parameters)".
std::string DescribeTexts(const std::vector<std::optional<std::string>> &texts, int count);
// One entry for printing: the quoted text, or null.
std::string DescribeText(const char *text);
