#include "param_slots.h"

ParamSlotArray::ParamSlotArray(const std::vector<std::optional<std::string>> &texts, int count)
{
    // Reserved first: the entries point into these strings.
    storage_.reserve(texts.size());
    for (int i = 0; i < count; i++) {
        char *text = nullptr;
        if (i < (int)texts.size() && texts[i]) {
            storage_.push_back(*texts[i]);
            text = storage_.back().data();
        }
        slots_.push_back(text);
    }
    original_ = slots_;
}

std::string DescribeText(const char *text)
{
    return text == nullptr ? "null" : "\"" + std::string(text) + "\"";
}

std::string DescribeTexts(const std::vector<std::optional<std::string>> &texts, int count)
{
    if (count == 0)
        return "(no parameters)";
    std::string line;
    for (int i = 0; i < count; i++) {
        if (i > 0)
            line += ' ';
        line += DescribeText(i < (int)texts.size() && texts[i] ? texts[i]->c_str() : nullptr);
    }
    return line;
}
