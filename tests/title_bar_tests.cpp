// The caption-colour, text-colour, backdrop and reset actions against the
// fake window manager: what is sent, what is published, what is reported.
#include "plugin_fixture.h"

namespace {

const DWORD kCaption = 35, kText = 36, kBackdrop = 38;

class TitleBar : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        StartHost(SentinelHostWindow());
    }

    int Exec(int action, std::initializer_list<std::optional<std::string>> texts)
    {
        ParamSlots slots(texts);
        return plugin.ExecAction(action, slots.Slots());
    }

    HWND host = SentinelHostWindow();
};

struct ColourCase {
    const char *red, *green, *blue;
    DWORD sent;
    const char *published;
};

const ColourCase kColourCases[] = {
    {"0", "120", "215", 0x00D77800, "0,120,215"},
    {"300", "-4", "12", 0x000C00FF, "255,0,12"},
    {"255", "255", "255", 0x00FFFFFF, "255,255,255"},
    {"256", "$100", "-2147483648", 0x0000FFFF, "255,255,0"},
    {"$FF", "%1000", "abc", 0x000008FF, "255,8,0"},
    {"4294967295", "2147483647", "1", 0x0001FF00, "0,255,1"},
};

TEST_F(TitleBar, ColourActionsClampSendAndPublish)
{
    struct {
        int action;
        DWORD attribute;
        const char *variable;
    } actions[] = {{1, kCaption, "[SelectedTitlebarColor]"},
                   {2, kText, "[SelectedTitlebarTextColor]"}};
    for (const auto &a : actions) {
        for (const ColourCase &c : kColourCases) {
            SCOPED_TRACE(std::to_string(a.action) + ": " + c.red + "," + c.green + "," + c.blue);
            dwm.Reset();
            ClearRecords();
            EXPECT_EQ(Exec(a.action, {c.red, c.green, c.blue, "0"}), 1);
            EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{AttributeCall(host, a.attribute, c.sent)}));
            EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                        std::string(a.variable) + "=" + c.published,
                                        "[Zelvar.LastError]=OK"}));
        }
    }
}

TEST_F(TitleBar, BlurSendsTheBackdropType)
{
    struct {
        const char *enable;
        DWORD sent;
        const char *status;
    } cases[] = {
        {"1", 3, "OK - Blur effect enabled on titlebar"},
        {"2", 3, "OK - Blur effect enabled on titlebar"},
        {"-1", 3, "OK - Blur effect enabled on titlebar"},
        {"$100000000", 1, "OK - Blur effect disabled"},  // wraps to 0
        {"0", 1, "OK - Blur effect disabled"},
        {"off", 1, "OK - Blur effect disabled"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.enable);
        dwm.Reset();
        ClearRecords();
        EXPECT_EQ(Exec(6, {c.enable, "0"}), 1);
        EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{AttributeCall(host, kBackdrop, c.sent)}));
        EXPECT_EQ(WriteLines(), (std::vector<std::string>{std::string("[Zelvar.LastError]=") + c.status}));
    }
}

TEST_F(TitleBar, ResetSendsDefaultsAndEmptiesTheColourVariables)
{
    Exec(1, {"1", "2", "3", "0"});
    Exec(2, {"4", "5", "6", "0"});
    dwm.Reset();
    ClearRecords();
    EXPECT_EQ(Exec(5, {"0"}), 1);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{
                               AttributeCall(host, kCaption, 0xFFFFFFFF),
                               AttributeCall(host, kText, 0xFFFFFFFF),
                               AttributeCall(host, kBackdrop, 1)}));
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                "[SelectedTitlebarColor]=", "[SelectedTitlebarTextColor]=",
                                "[Zelvar.LastError]=OK - Title bar reset to system defaults"}));
}

TEST_F(TitleBar, WindowManagerFailuresReportTheCodeAndPublishNothing)
{
    struct {
        int action;
        std::initializer_list<std::optional<std::string>> params;
        DWORD failing;
        HRESULT hr;
        const char *status;
    } cases[] = {
        {1, {"1", "2", "3", "0"}, kCaption, E_INVALIDARG, "DwmSetWindowAttribute failed: -2147024809"},
        {2, {"1", "2", "3", "0"}, kText, E_ACCESSDENIED, "DwmSetWindowAttribute failed: -2147024891"},
        {1, {"1", "2", "3", "0"}, kCaption, S_FALSE, "DwmSetWindowAttribute failed: 1"},
        {2, {"1", "2", "3", "0"}, kText, (HRESULT)0x80000000, "DwmSetWindowAttribute failed: -2147483648"},
        {1, {"1", "2", "3", "0"}, kCaption, 0x7FFFFFFF, "DwmSetWindowAttribute failed: 2147483647"},
        {6, {"1", "0"}, kBackdrop, E_INVALIDARG,
         "DwmSetWindowAttribute failed: -2147024809 (Windows 11 22H2+ required)"},
        {6, {"0", "0"}, kBackdrop, -1, "DwmSetWindowAttribute failed: -1 (Windows 11 22H2+ required)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        dwm.Reset();
        dwm.SetResult(c.failing, c.hr);
        ClearRecords();
        ParamSlots slots(c.params);
        EXPECT_EQ(plugin.ExecAction(c.action, slots.Slots()), 0);
        EXPECT_EQ(dwm.Calls().size(), 1u) << "no retry";
        EXPECT_EQ(WriteLines(), (std::vector<std::string>{std::string("[Zelvar.LastError]=") + c.status}));
    }
}

TEST_F(TitleBar, AFailedColourLeavesTheEarlierTextInPlace)
{
    Exec(1, {"10", "20", "30", "0"});
    dwm.SetResult(kCaption, E_INVALIDARG);
    ClearRecords();
    EXPECT_EQ(Exec(1, {"40", "50", "60", "0"}), 0);
    EXPECT_FALSE(LastValue("[SelectedTitlebarColor]").has_value());
}

TEST_F(TitleBar, ResetFailuresAreDecidedByTheTwoColourCalls)
{
    struct {
        HRESULT caption, text, backdrop;
        int result;
        std::vector<std::string> writes;
    } cases[] = {
        {S_OK, E_INVALIDARG, S_OK, 0,
         {"[Zelvar.LastError]=Failed to reset title bar: 0, -2147024809"}},
        {E_FAIL, S_OK, S_OK, 0,
         {"[Zelvar.LastError]=Failed to reset title bar: -2147467259, 0"}},
        {E_FAIL, E_INVALIDARG, E_FAIL, 0,
         {"[Zelvar.LastError]=Failed to reset title bar: -2147467259, -2147024809"}},
        {S_OK, S_OK, E_INVALIDARG, 1,
         {"[SelectedTitlebarColor]=", "[SelectedTitlebarTextColor]=",
          "[Zelvar.LastError]=OK - Title bar reset to system defaults"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.writes.back());
        dwm.Reset();
        dwm.SetResult(kCaption, c.caption);
        dwm.SetResult(kText, c.text);
        dwm.SetResult(kBackdrop, c.backdrop);
        ClearRecords();
        EXPECT_EQ(Exec(5, {"0"}), c.result);
        EXPECT_EQ(dwm.Calls().size(), 3u) << "all three attributes are always sent";
        EXPECT_EQ(WriteLines(), c.writes);
    }
}

TEST_F(TitleBar, NoTargetWindowMeansNoWindowManagerCall)
{
    plugin.InitPlugIn(nullptr, nullptr, nullptr, nullptr);
    struct {
        int action;
        std::initializer_list<std::optional<std::string>> params;
    } cases[] = {{1, {"1", "2", "3", "0"}}, {2, {"1", "2", "3", std::nullopt}},
                 {5, {"0"}}, {6, {"1", "0"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        ClearRecords();
        ParamSlots slots(c.params);
        EXPECT_EQ(plugin.ExecAction(c.action, slots.Slots()), 0);
        EXPECT_EQ(WriteLines(), (std::vector<std::string>{"[Zelvar.LastError]=No window handle available"}));
    }
    EXPECT_TRUE(dwm.Calls().empty());

    // An explicit window is used as it is, with or without a host window.
    EXPECT_EQ(Exec(6, {"1", "-16"}), 1);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{AttributeCall((HWND)(INT_PTR)-16, kBackdrop, 3)}));
}

TEST_F(TitleBar, WithoutSetVariableTheWindowIsStyledButNothingIsWritten)
{
    plugin.RegisterPlugIn((void *)RecordAddAction, nullptr, nullptr, nullptr);
    ClearRecords();
    EXPECT_EQ(Exec(1, {"0", "120", "215", "0"}), 1);
    EXPECT_EQ(Exec(2, {"1", "1", "1", "0"}), 1);
    EXPECT_EQ(Exec(6, {"1", "0"}), 1);
    EXPECT_EQ(Exec(5, {"0"}), 1);
    dwm.SetResult(kCaption, E_INVALIDARG);
    EXPECT_EQ(Exec(1, {"0", "120", "215", "0"}), 0);
    EXPECT_TRUE(RecordedWrites.empty());
    EXPECT_EQ(dwm.Calls().size(), 7u);
}

TEST_F(TitleBar, ARealWindowIsStyledThroughItsHandle)
{
    HWND window = CreateHostWindow(L"Styled window");
    ASSERT_NE(window, nullptr);
    plugin.InitPlugIn(window, nullptr, nullptr, nullptr);
    EXPECT_EQ(Exec(1, {"0", "120", "215", "0"}), 1);
    char handle[16];
    snprintf(handle, sizeof handle, "%d", (int)(INT_PTR)window);
    EXPECT_EQ(Exec(2, {"1", "2", "3", handle}), 1);
    EXPECT_EQ(dwm.Calls(), (std::vector<FakeDwmCall>{AttributeCall(window, kCaption, 0x00D77800),
                                                     AttributeCall(window, kText, 0x030201)}));
    DestroyWindow(window);
}

}  // namespace
