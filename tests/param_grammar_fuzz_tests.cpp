// A randomized differential test of the number grammar. Generated parameter
// texts are read by the plug-in, as the window parameter of action 5
// (qzvZelvar_RemoveStyle), and by a small reference model written here. A
// non-zero window reaches the fake window manager unchanged as the handle;
// 0 stands for the host window, a sentinel here.
//
// The seed is printed; ZELVAR_FUZZ_SEED=N replays a run and
// ZELVAR_FUZZ_COUNT=N sets how many texts are generated (100000).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <random>
#include <string>
#include <vector>

#include "plugin_fixture.h"

namespace {

// The reference model: the text converted from the ANSI code page, then
// read left to right as the grammar says, in 64-bit arithmetic.
int32_t ModelParamInteger(const std::string &bytes)
{
    int size = MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, nullptr, 0);
    std::wstring text(size > 0 ? size : 1, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, &text[0], size);

    const std::wstring digits = L"0123456789abcdef";
    size_t at = 0;
    while (text[at] == L' ' || text[at] == L'\t')
        at++;
    bool negative = false;
    if (text[at] == L'+' || text[at] == L'-')
        negative = text[at++] == L'-';
    uint64_t base = 10;
    if (text[at] == L'$' || text[at] == L'%')
        base = text[at++] == L'$' ? 16 : 2;
    uint64_t value = 0;
    for (;; at++) {
        wchar_t c = text[at];
        if (c >= L'A' && c <= L'F')
            c = (wchar_t)(c - L'A' + L'a');
        size_t digit = c == 0 ? std::wstring::npos : digits.find(c);
        if (digit == std::wstring::npos || digit >= base)
            break;
        value = value * base + digit;
    }
    if (negative)
        value = ~value + 1;
    return (int32_t)(uint32_t)(value & 0xFFFFFFFFu);
}

// Texts made of the grammar's pieces, each piece often right and often
// slightly wrong, followed by characters that end the number.
class TextGenerator {
public:
    explicit TextGenerator(uint32_t seed) : random_(seed) {}

    std::string Next()
    {
        if (Chance(5))
            return RandomBytes(Below(24));
        std::string text;
        text += Pick({"", "", "", " ", "\t", "  ", " \t ", "\t\t", "      "});
        if (Chance(4))
            text += RandomBlanks();
        text += Pick({"", "", "", "-", "+", "-", "--", "+-", "- ", "+ ", "-\t"});
        text += Pick({"", "", "", "$", "%", "$", "%", "$$", "%$", "$%", "$ "});
        text += Digits();
        if (Chance(2))
            text += Ending();
        if (Chance(4))
            text += RandomBytes(Below(12));
        return text;
    }

private:
    bool Chance(unsigned oneIn) { return Below(oneIn) == 0; }
    unsigned Below(unsigned bound) { return (unsigned)(random_() % bound); }

    std::string Pick(std::initializer_list<const char *> choices)
    {
        return *(choices.begin() + Below((unsigned)choices.size()));
    }

    std::string RandomBlanks()
    {
        std::string blanks;
        for (unsigned i = Below(8); i > 0; i--)
            blanks += Chance(2) ? ' ' : '\t';
        return blanks;
    }

    // Any bytes but the zero byte, those above 127 included.
    std::string RandomBytes(unsigned count)
    {
        std::string bytes;
        for (unsigned i = 0; i < count; i++)
            bytes += (char)(1 + Below(255));
        return bytes;
    }

    // Digits of some base, not always the base the prefix chose; lengths
    // from none to far past what 32 and 64 bits hold, and past the
    // plug-in's 256-character buffer for a short text.
    std::string Digits()
    {
        static const char *const kAlphabets[] = {
            "01", "0123456789", "0123456789ABCDEF", "0123456789abcdef",
            "0123456789abcdefABCDEF", "019", "0F", "1",
        };
        const char *alphabet = kAlphabets[Below(8)];
        size_t alphabetSize = strlen(alphabet);
        unsigned length;
        switch (Below(10)) {
        case 0: length = 0; break;
        case 1: length = 9 + Below(4); break;     // around 2^32 in decimal
        case 2: length = 17 + Below(6); break;    // past 2^64 in decimal
        case 3: length = 30 + Below(40); break;   // past 64 bits in binary
        case 4: length = 248 + Below(16); break;  // around the short buffer
        default: length = 1 + Below(8); break;
        }
        std::string digits;
        for (unsigned i = 0; i < length; i++)
            digits += alphabet[Below((unsigned)alphabetSize)];
        return digits;
    }

    // One character that ends the number, then perhaps more digits that
    // must not be read.
    std::string Ending()
    {
        std::string end = Pick({".", "x", "X", " ", "\t", "g", "G", "@", "`", "/", ":",
                                "-", "+", "$", "%", ",", "_", "\x7F", "\x01", "\x1F"});
        if (Chance(3))
            end = std::string(1, (char)(0x80 + Below(128)));
        if (Chance(2))
            end += Pick({"5", "12", "FF", "$1", "%1"});
        return end;
    }

    std::mt19937 random_;
};

uint32_t SeedFromEnvironment()
{
    const char *seed = getenv("ZELVAR_FUZZ_SEED");
    if (seed != nullptr && *seed != 0)
        return (uint32_t)strtoul(seed, nullptr, 10);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (uint32_t)(counter.QuadPart ^ (counter.QuadPart >> 32) ^ GetCurrentProcessId());
}

int CountFromEnvironment()
{
    const char *count = getenv("ZELVAR_FUZZ_COUNT");
    return count != nullptr && *count != 0 ? atoi(count) : 100000;
}

std::string Escaped(const std::string &text)
{
    std::string out;
    char hex[8];
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += (char)c;
        } else {
            snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return "\"" + out + "\"";
}

using ParamGrammarFuzz = PluginTest;

TEST_F(ParamGrammarFuzz, PluginReadsGeneratedTextsAsTheModelDoes)
{
    const uint32_t seed = SeedFromEnvironment();
    const int count = CountFromEnvironment();
    printf("number grammar fuzz: seed %u, %d texts, ANSI code page %u "
           "(replay with ZELVAR_FUZZ_SEED=%u)\n",
           seed, count, GetACP(), seed);
    fflush(stdout);
    RecordProperty("seed", std::to_string(seed));

    // No SetVariable: the action sets the attributes and publishes nothing.
    plugin.RegisterPlugIn(nullptr, nullptr, nullptr, nullptr);
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);

    // Action 5 makes three window-manager calls; the fake keeps 4096.
    const int kBatch = 1000;
    TextGenerator generator(seed);
    int failures = 0;
    for (int first = 0; first < count && failures < 10; first += kBatch) {
        std::vector<std::string> texts;
        for (int i = first; i < count && i < first + kBatch; i++)
            texts.push_back(generator.Next());
        dwm.Reset();
        for (std::string &text : texts) {
            char *slots[1] = {&text[0]};
            ASSERT_EQ(plugin.ExecAction(5, slots), 1) << "text " << Escaped(text);
        }
        std::vector<FakeDwmCall> calls = dwm.Calls();
        ASSERT_EQ(calls.size(), 3 * texts.size());
        for (size_t i = 0; i < texts.size() && failures < 10; i++) {
            int32_t expected = ModelParamInteger(texts[i]);
            HWND expectedWindow = expected != 0 ? (HWND)(INT_PTR)expected : SentinelHostWindow();
            HWND window = calls[3 * i].window;
            if (window != expectedWindow) {
                failures++;
                int32_t read = window == SentinelHostWindow() ? 0 : (int32_t)(INT_PTR)window;
                ADD_FAILURE() << "text " << first + i << " of seed " << seed << ", "
                              << Escaped(texts[i]) << ": the plug-in read " << read
                              << ", the model " << expected;
            }
        }
    }
}

// The model itself must be right, or agreement proves nothing: a few texts
// of known value, read through the same conversion.
TEST(ParamGrammarModel, ReadsTextsOfKnownValue)
{
    const struct {
        const char *text;
        int32_t value;
    } kKnown[] = {
        {"", 0}, {" \t 12", 12}, {"-$10", -16}, {"%101", 5}, {"+-5", 0},
        {"4294967297", 1}, {"$ff7", 0xFF7}, {"12\xB2", 12}, {"%2", 0},
        {"18446744073709551617", 1}, {"-2147483648", INT32_MIN}, {"9\xA0" "1", 9},
    };
    for (const auto &known : kKnown)
        EXPECT_EQ(ModelParamInteger(known.text), known.value) << Escaped(known.text);
}

}  // namespace
