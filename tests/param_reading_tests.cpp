// How parameter texts become integers, seen through the exports: the window
// parameter of qzvZelvar_RemoveStyle reaches the window manager unchanged,
// so the fake shows exactly the 32 bits the plug-in read.
#include "plugin_fixture.h"

namespace {

class ParamReading : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        StartHost(SentinelHostWindow());
    }

    // The integer the plug-in reads from `text`, or nullopt when the action
    // made no window-manager call. 0 reads as the host window.
    std::optional<int> ReadAsWindow(const std::string &text)
    {
        dwm.Reset();
        ParamSlots slots({text});
        plugin.ExecAction(5, slots.Slots());
        auto calls = dwm.Calls();
        if (calls.empty())
            return std::nullopt;
        HWND window = calls[0].window;
        return window == SentinelHostWindow() ? 0 : (int)(INT_PTR)window;
    }
};

struct GrammarRow {
    const char *text;
    int value;
};

const GrammarRow kGrammar[] = {
    {"", 0},
    {"  12", 12},
    {"12 ", 12},
    {"-5", -5},
    {"+5", 5},
    {"- 5", 0},
    {"--5", 0},
    {"$FF", 255},
    {"$ff", 255},
    {"-$10", -16},
    {"%101", 5},
    {"%2", 0},
    {"12abc", 12},
    {"abc", 0},
    {"3.9", 3},
    {"0x1F", 0},
    {"2147483647", 2147483647},
    {"2147483648", INT_MIN},
    {"4294967295", -1},
    {"4294967296", 0},
    {"$FFFFFFFF", -1},
    {"$100000000", 0},
    // Blanks are spaces and tabs, and only at the start.
    {"\t \t7", 7},
    {" - 7", 0},
    {"1 2", 1},
    {"\n7", 0},
    // A lone sign or base mark, and marks in the wrong place.
    {"-", 0},
    {"+", 0},
    {"$", 0},
    {"%", 0},
    {"$-1", 0},
    {"+$1f", 31},
    {"-%11", -3},
    {"$1G", 1},
    {"%1012", 5},
    // Wrapping is modulo 2^64 while reading, then the low 32 bits.
    {"-2147483648", INT_MIN},
    {"-2147483649", 2147483647},
    {"18446744073709551615", -1},
    {"18446744073709551616", 0},
    {"$123456789ABCDEF01", (int)0xABCDEF01},
    // A character above 127 ends the number like any other.
    {"12\xE9", 12},
    {"\xE9" "12", 0},
};

TEST_F(ParamReading, EveryRowOfTheGrammar)
{
    for (const GrammarRow &row : kGrammar) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        EXPECT_EQ(ReadAsWindow(row.text), row.value);
    }
}

TEST_F(ParamReading, MegabyteTextsAreReadWhole)
{
    const size_t kMegabyte = 1 << 20;
    struct {
        std::string text;
        int value;
    } cases[] = {
        {std::string(kMegabyte, '0') + "5", 5},
        {"-" + std::string(kMegabyte, '0') + "5", -5},
        {std::string(kMegabyte, ' ') + "7", 7},
        {"$" + std::string(kMegabyte, 'F'), -1},
        {"%1" + std::string(kMegabyte, '0'), 0},
        {"%" + std::string(kMegabyte - 31, '0') + std::string(31, '1'), INT_MAX},
        {"4" + std::string(kMegabyte, '0') + "x", 0},  // 4 * 10^n wraps to 0
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 4) + "... of " + std::to_string(c.text.size()));
        EXPECT_EQ(ReadAsWindow(c.text), c.value);
    }
}

TEST_F(ParamReading, MissingParametersTakeTheActionsDefaults)
{
    // Null array: every default. Theme 1 is applied, blur switched off.
    plugin.ExecAction(3, nullptr);
    EXPECT_EQ(LastValue("[SelectedColorTheme]"), "Charcoal");
    dwm.Reset();
    plugin.ExecAction(6, nullptr);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                               AttributeCall(SentinelHostWindow(), 38, 1)}));

    // Null entries take their own default; present texts are read.
    dwm.Reset();
    ParamSlots colour({std::nullopt, "7", std::nullopt, std::nullopt});
    plugin.ExecAction(1, colour.Slots());
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                               AttributeCall(SentinelHostWindow(), 35, 0x0700)}));

    ParamSlots themeNull({std::nullopt, std::nullopt});
    plugin.ExecAction(3, themeNull.Slots());
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "Theme 'Charcoal' applied successfully");
}

TEST_F(ParamReading, AnEmptyTextIsZeroNotTheDefault)
{
    ParamSlots emptyTheme({"", std::nullopt});
    EXPECT_EQ(plugin.ExecAction(3, emptyTheme.Slots()), 0);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "Invalid theme index");

    ParamSlots textTheme({"Gold", std::nullopt});
    EXPECT_EQ(plugin.ExecAction(3, textTheme.Slots()), 0);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "Invalid theme index");
}

TEST_F(ParamReading, EachActionReadsItsOwnEntriesInOrder)
{
    // Window parameters sit in different entries; entries beyond the count
    // hold a pointer that would crash any reader (see ParamSlots).
    struct {
        int action;
        ParamSlots slots;
        FakeDwmCall first;
    } cases[] = {
        {1, ParamSlots({"1", "2", "3", "4097"}), AttributeCall((HWND)4097, 35, 0x030201)},
        {2, ParamSlots({"1", "2", "3", "4097"}), AttributeCall((HWND)4097, 36, 0x030201)},
        {1, ParamSlots({"1", "2", "3", "0"}), AttributeCall(SentinelHostWindow(), 35, 0x030201)},
        {3, ParamSlots({"2", "4097"}), AttributeCall((HWND)4097, 35, 0xFFFFFF)},
        {5, ParamSlots({"4097"}), AttributeCall((HWND)4097, 35, 0xFFFFFFFF)},
        {6, ParamSlots({"-1", "4097"}), AttributeCall((HWND)4097, 38, 3)},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.action);
        dwm.Reset();
        plugin.ExecAction(c.action, c.slots.Slots());
        auto calls = dwm.Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0], c.first);
    }
}

TEST_F(ParamReading, ExecutionNeverChangesTheSlots)
{
    ParamSlots slots({"300", "-4", "12", "0"});
    plugin.ExecAction(1, slots.Slots());
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(slots.Slots()[i], slots.Original(i));
    EXPECT_EQ(slots.Text(0), "300");
    EXPECT_EQ(slots.Text(1), "-4");
}

}  // namespace
