// qzvZelvar_GetActiveWindow with real windows of the test made foreground.
#include "plugin_fixture.h"

namespace {

class Foreground : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        StartHost(SentinelHostWindow());
    }

    // A window of the test with `title`, brought to the foreground.
    HWND ForegroundWindow(const std::wstring &title)
    {
        HWND window = CreateHostWindow(title.c_str());
        SetForegroundWindow(window);
        PumpMessages();
        EXPECT_EQ(GetForegroundWindow(), window);
        return window;
    }

    static std::string Handle(HWND window) { return std::to_string((int)(INT_PTR)window); }
};

TEST_F(Foreground, PublishesTitleThenHandleThenStatus)
{
    HWND window = ForegroundWindow(L"Project window");
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"[ActiveWindowTitle]=Project window",
                                                      "[ActiveWindowHandle]=" + Handle(window),
                                                      "[Zelvar.LastError]=OK"}));
    EXPECT_TRUE(dwm.Calls().empty());
    DestroyWindow(window);
}

TEST_F(Foreground, TitlesAreTakenUpTo511Characters)
{
    struct {
        std::wstring title;
        std::string published;
    } cases[] = {
        {L"", ""},
        {std::wstring(511, L'b'), std::string(511, 'b')},
        {std::wstring(511, L'c') + L"d", std::string(511, 'c')},
        {std::wstring(600, L'e'), std::string(511, 'e')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title.size());
        HWND window = ForegroundWindow(c.title);
        ClearRecords();
        EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
        EXPECT_EQ(LastValue("[ActiveWindowTitle]"), c.published);
        EXPECT_EQ(LastValue("[ActiveWindowHandle]"), Handle(window));
        EXPECT_EQ(LastValue("[Zelvar.LastError]"), "OK");
        DestroyWindow(window);
    }
}

TEST_F(Foreground, CharactersOutsideTheCodePageArriveReplaced)
{
    ASSERT_EQ(GetACP(), 1252u) << "the expected texts are those of code page 1252";
    // U+00E9 exists in the code page, U+4E2D and U+6587 do not.
    HWND window = ForegroundWindow(L"Caf\u00e9 \u4e2d\u6587 end");
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
    // The block is sized for the replacement (checked on arrival).
    EXPECT_EQ(LastValue("[ActiveWindowTitle]"), "Caf\xe9 ?? end");
    DestroyWindow(window);
}

TEST_F(Foreground, WithoutSetVariableTheQueryWritesNothing)
{
    HWND window = ForegroundWindow(L"Silent");
    plugin.RegisterPlugIn(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
    EXPECT_TRUE(RecordedWrites.empty());
    DestroyWindow(window);
}

TEST_F(Foreground, NoForegroundWindowIsReported)
{
    HWND window = ForegroundWindow(L"Going away");
    plugin.ExecAction(4, nullptr);
    DestroyWindow(window);
    PumpMessages();
    if (GetForegroundWindow() != nullptr)
        GTEST_SKIP() << "Wine made another window the foreground one";
    ClearRecords();
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 0);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"[Zelvar.LastError]=No active window found"}));
}

}  // namespace
