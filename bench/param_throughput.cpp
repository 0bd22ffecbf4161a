// ParamInteger's throughput, through the window parameter of action 6
// (qzvZelvar_SetBlur): with no SetVariable callback registered the action
// publishes nothing, so a call is the two parameter reads and one
// window-manager call. The value read reaches the fake window manager as
// the window handle, which checks that the whole text was read.
#include <stdio.h>
#include <stdlib.h>

#include "sections.h"
#include "timing.h"

namespace {

struct ShortText {
    const char *text;
    unsigned value;  // 0 reaches the window manager as the host window
};

const ShortText kShortTexts[] = {
    {"7", 7},
    {"120", 120},
    {"-5", 0xFFFFFFFB},
    {"  +42", 42},
    {"$FF", 255},
    {"%101", 5},
    {"2147483648", 0x80000000},
    {"$FFFFFFFF", 0xFFFFFFFF},
    {"12abc", 12},
    {"abc", 0},
};

std::string Repeat(const std::string &piece, size_t size)
{
    std::string text;
    while (text.size() < size)
        text += piece;
    text.resize(size);
    return text;
}

}  // namespace

bool MeasureParamThroughput(const BenchOptions &options)
{
    printf("\nParamInteger throughput (action 6's window parameter, no variables published)\n");
    FakeDwm dwm;
    PluginExports plugin;
    if (!LoadFakeDwm(&dwm) || !LoadPlugin(&plugin)) {
        printf("  cannot load the fake dwmapi.dll or the plug-in\n");
        return false;
    }
    plugin.registerPlugIn(nullptr, nullptr, nullptr, nullptr);
    plugin.initPlugIn(options.hostWindow, nullptr, nullptr, nullptr);
    const int rounds = options.quick ? 3 : 41;
    const double batchSeconds = options.quick ? 0.005 : 0.01;
    bool allRead = true;

    char enable[] = "1";
    // Reads `text` as the window; returns the window the fake was given.
    auto windowSent = [&](char *text) {
        char *slots[2] = {enable, text};
        dwm.reset();
        plugin.execAction(6, slots);
        FakeDwmCall call = {};
        dwm.getCall(0, &call);
        return (unsigned)(UINT_PTR)call.window;
    };
    char *nullSlots[2] = {enable, nullptr};
    auto baseline = [&] { plugin.execAction(6, nullSlots); };
    // Per call: the median over the rounds, the best round, and the median
    // of each round's difference to a round with the window slot null
    // (nothing to read), so that drift between rounds cancels.
    struct Figures {
        double perCall, best, net;
    };
    auto timeText = [&](char *text) {
        char *slots[2] = {enable, text};
        auto run = [&] { plugin.execAction(6, slots); };
        int batch = CalibrateBatch(run, batchSeconds);
        std::vector<double> times, differences;
        for (int round = 0; round < rounds; round++) {
            // Alternate the order so that drift favours neither side.
            double base = 0, time = 0;
            if (round % 2 == 0) {
                base = TimePerCall(baseline, batch);
                time = TimePerCall(run, batch);
            } else {
                time = TimePerCall(run, batch);
                base = TimePerCall(baseline, batch);
            }
            times.push_back(time);
            differences.push_back(time - base);
        }
        return Figures{Median(times), Best(times), Median(differences)};
    };

    printf("  call with the window slot null (nothing to read): %.3f us\n",
           timeText(nullptr).perCall * 1e6);
    printf("  %-14s %10s %14s %14s\n", "short text", "per call", "ParamInteger", "texts/s");
    for (const ShortText &item : kShortTexts) {
        std::string text = item.text;
        unsigned expected = item.value != 0 ? item.value : (unsigned)(UINT_PTR)options.hostWindow;
        if (windowSent(&text[0]) != expected) {
            printf("  \"%s\" was read as %u, not %u\n", item.text, windowSent(&text[0]), expected);
            allRead = false;
            continue;
        }
        Figures figures = timeText(&text[0]);
        printf("  %-14s %7.3f us %11.3f us %14.0f\n", ("\"" + text + "\"").c_str(),
               figures.perCall * 1e6, figures.net * 1e6, figures.net > 0 ? 1 / figures.net : 0.0);
    }

    const size_t kMiB = 1 << 20;
    struct LongText {
        const char *what;
        std::string text;
        unsigned value;
    } longTexts[] = {
        {"zeros then 5", Repeat("0", kMiB - 1) + "5", 5},
        {"hexadecimal", "$" + Repeat("0123456789abcdef", kMiB - 1), 0},
        {"blanks then 7", Repeat(" \t", kMiB - 1) + "7", 7},
    };
    // Modulo 2^32 only the last eight hexadecimal digits count.
    std::string &hex = longTexts[1].text;
    longTexts[1].value = (unsigned)strtoul(hex.substr(hex.size() - 8).c_str(), nullptr, 16);
    printf("  %-14s %10s %12s %12s\n", "1 MiB text", "per call", "median", "best");
    for (LongText &item : longTexts) {
        if (windowSent(&item.text[0]) != item.value) {
            printf("  %-14s was read as %u, not %u\n", item.what, windowSent(&item.text[0]), item.value);
            allRead = false;
            continue;
        }
        Figures figures = timeText(&item.text[0]);
        printf("  %-14s %7.3f ms %7.1f MB/s %7.1f MB/s (%.2f ns a character)\n", item.what,
               figures.perCall * 1e3, item.text.size() / figures.perCall / 1e6,
               item.text.size() / figures.best / 1e6, figures.perCall / item.text.size() * 1e9);
    }
    UnloadPlugin(&plugin);
    UnloadFakeDwm(&dwm);
    return allRead;
}
