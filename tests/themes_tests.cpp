// The 20 themes and qzvZelvar_ApplyTheme: what reaches the window manager,
// what is published and in which order, and the failure paths.
#include "plugin_fixture.h"

namespace {

const DWORD kCaption = 35, kText = 36;

struct ThemeRow {
    const char *name;
    int caption[3];
    int text[3];
};

const ThemeRow kThemes[20] = {
    {"Charcoal", {54, 69, 79}, {255, 255, 255}},
    {"Clean White", {255, 255, 255}, {32, 32, 32}},
    {"Crimson Red", {220, 20, 60}, {255, 255, 255}},
    {"Cyber Purple", {75, 0, 130}, {186, 85, 211}},
    {"Dark Gray", {64, 64, 64}, {240, 240, 240}},
    {"Dark Mode", {32, 32, 32}, {255, 255, 255}},
    {"Deep Teal", {0, 128, 128}, {255, 255, 255}},
    {"Electric Blue", {0, 191, 255}, {0, 0, 0}},
    {"Forest Green", {34, 139, 34}, {255, 255, 255}},
    {"Gold", {255, 215, 0}, {0, 0, 0}},
    {"Hot Pink", {255, 20, 147}, {255, 255, 255}},
    {"Light Mode", {240, 240, 240}, {0, 0, 0}},
    {"Lime Green", {50, 205, 50}, {0, 0, 0}},
    {"Matrix Green", {0, 100, 0}, {0, 255, 0}},
    {"Midnight Blue", {25, 25, 112}, {255, 255, 255}},
    {"Office Blue", {0, 120, 215}, {255, 255, 255}},
    {"Royal Purple", {102, 51, 153}, {255, 255, 255}},
    {"Steel Blue", {70, 130, 180}, {255, 255, 255}},
    {"Sunset Orange", {255, 140, 0}, {255, 255, 255}},
    {"Warm Gray", {128, 128, 118}, {255, 255, 255}},
};

DWORD Colour(const int rgb[3]) { return rgb[0] | rgb[1] << 8 | rgb[2] << 16; }

std::string Triple(const int rgb[3])
{
    return std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]);
}

class Themes : public PluginTest {
protected:
    int Apply(std::optional<std::string> number, std::optional<std::string> window = "0")
    {
        ParamSlots slots({number, window});
        return plugin.ExecAction(3, slots.Slots());
    }

    // Applies every theme to `window` and checks each against the table.
    void ExpectAllTwentyThemes(HWND window)
    {
        std::string target = std::to_string((int)(INT_PTR)window);
        for (int number = 1; number <= 20; number++) {
            const ThemeRow &row = kThemes[number - 1];
            SCOPED_TRACE(std::to_string(number) + " " + row.name);
            dwm.Reset();
            ClearRecords();
            EXPECT_EQ(Apply(std::to_string(number), target), 1);
            EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                                       AttributeCall(window, kCaption, Colour(row.caption)),
                                       AttributeCall(window, kText, Colour(row.text))}));
            EXPECT_EQ(WriteLines(),
                      (std::vector<std::string>{
                          "[SelectedTitlebarColor]=" + Triple(row.caption),
                          "[Zelvar.LastError]=OK",
                          "[SelectedTitlebarTextColor]=" + Triple(row.text),
                          "[Zelvar.LastError]=OK",
                          std::string("[SelectedColorTheme]=") + row.name,
                          std::string("[Zelvar.LastError]=Theme '") + row.name + "' applied successfully",
                      }));
        }
    }
};

TEST_F(Themes, EveryThemeIsSentAndPublishedInOrder)
{
    StartHost(SentinelHostWindow());
    ExpectAllTwentyThemes(SentinelHostWindow());
}

TEST_F(Themes, TheThemesAreThereBeforeAnyInitialisation)
{
    // Register only: no _nbInitPlugIn, so the window is passed explicitly.
    plugin.RegisterRecording();
    ClearRecords();
    ExpectAllTwentyThemes((HWND)(INT_PTR)0x4242);
}

TEST_F(Themes, InitialisingAgainLeavesTheSameThemes)
{
    StartHost(SentinelHostWindow());
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
    ExpectAllTwentyThemes(SentinelHostWindow());
}

TEST_F(Themes, NumbersOutsideOneToTwentyAreRejected)
{
    StartHost(SentinelHostWindow());
    for (const char *number : {"0", "21", "-1", "99999999999", "2147483647", "-2147483648", "", "abc"}) {
        SCOPED_TRACE(number);
        ClearRecords();
        EXPECT_EQ(Apply(number), 0);
        EXPECT_EQ(WriteLines(), (std::vector<std::string>{"[Zelvar.LastError]=Invalid theme index"}));
    }
    EXPECT_TRUE(dwm.Calls().empty());
}

TEST_F(Themes, AMissingNumberAppliesThemeOne)
{
    StartHost(SentinelHostWindow());
    EXPECT_EQ(plugin.ExecAction(3, nullptr), 1);
    EXPECT_EQ(LastValue("[SelectedColorTheme]"), "Charcoal");
    ClearRecords();
    EXPECT_EQ(Apply(std::nullopt, std::nullopt), 1);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "Theme 'Charcoal' applied successfully");
    // Numbers are read by the usual grammar.
    ClearRecords();
    EXPECT_EQ(Apply(" $14"), 1);
    EXPECT_EQ(LastValue("[SelectedColorTheme]"), "Warm Gray");
}

TEST_F(Themes, ACaptionFailureSkipsTheTextColour)
{
    StartHost(SentinelHostWindow());
    dwm.SetResult(kCaption, E_INVALIDARG);
    EXPECT_EQ(Apply("10"), 0);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                               AttributeCall(SentinelHostWindow(), kCaption, 0x0000D7FF)}));
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                "[Zelvar.LastError]=DwmSetWindowAttribute failed: -2147024809",
                                "[Zelvar.LastError]=Failed to apply theme"}));
}

TEST_F(Themes, ATextFailureKeepsTheCaptionAndTheEarlierThemeName)
{
    StartHost(SentinelHostWindow());
    ASSERT_EQ(Apply("7"), 1);
    dwm.Reset();
    dwm.SetResult(kText, E_ACCESSDENIED);
    ClearRecords();
    EXPECT_EQ(Apply("10"), 0);
    EXPECT_EQ(dwm.Calls().size(), 2u);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                "[SelectedTitlebarColor]=255,215,0",
                                "[Zelvar.LastError]=OK",
                                "[Zelvar.LastError]=DwmSetWindowAttribute failed: -2147024891",
                                "[Zelvar.LastError]=Failed to apply theme"}));
}

TEST_F(Themes, WithoutAWindowTheThemeFailsBeforeAnyCall)
{
    StartHost(nullptr);
    EXPECT_EQ(Apply("3"), 0);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                "[Zelvar.LastError]=No window handle available",
                                "[Zelvar.LastError]=Failed to apply theme"}));
    EXPECT_TRUE(dwm.Calls().empty());
}

TEST_F(Themes, WithoutSetVariableTheThemeIsAppliedSilently)
{
    plugin.RegisterPlugIn((void *)RecordAddAction, nullptr, nullptr, nullptr);
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
    ClearRecords();
    EXPECT_EQ(Apply("16"), 1);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                               AttributeCall(SentinelHostWindow(), kCaption, 0x00D77800),
                               AttributeCall(SentinelHostWindow(), kText, 0x00FFFFFF)}));
    EXPECT_TRUE(RecordedWrites.empty());
}

}  // namespace
