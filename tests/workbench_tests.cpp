// The workbench, zelvar-host.exe, run as a user runs it: a child process
// whose standard output, standard error and exit code are checked. Its
// window-manager calls are seen through the fake dwmapi's log file.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <regex>

#include "host_process.h"
#include "plugin_host.h"
#include "png_reader.h"

namespace {

// Each error is exactly one line on stderr, from zelvar-host.
void ExpectOneErrorLine(const HostRun &run, DWORD code, const std::string &fragment)
{
    ASSERT_TRUE(run.finished) << "zelvar-host did not end";
    EXPECT_EQ(run.exitCode, code) << run.out << run.err;
    EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("zelvar-host: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(fragment), std::string::npos) << run.err;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// The lines from the first action on, without the plug-in and window lines.
std::vector<std::string> ActionLines(const std::string &out)
{
    std::vector<std::string> lines = Lines(out);
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](const std::string &line) { return line.rfind("> ", 0) == 0; });
    return {first, lines.end()};
}

// The handle of the "Host window: N ..." line, or 0.
int PrintedHostWindow(const std::string &out)
{
    std::smatch match;
    static const std::regex kLine("Host window: (-?[0-9]+) ");
    return std::regex_search(out, match, kLine) ? std::stoi(match[1]) : 0;
}

std::wstring TempFilePath(const wchar_t *stem, const wchar_t *extension)
{
    wchar_t directory[MAX_PATH];
    GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory) + stem + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount()) + extension;
}

std::string Narrow(const std::wstring &text)
{
    return std::string(text.begin(), text.end());  // the paths used here are ASCII
}

std::vector<unsigned char> ReadWholeFile(const std::wstring &path)
{
    std::vector<unsigned char> data;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return data;
    data.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!data.empty() && !ReadFile(file, data.data(), (DWORD)data.size(), &read, nullptr))
        read = 0;
    data.resize(read);
    CloseHandle(file);
    return data;
}

// The fake window manager's log of the calls of the processes started
// while it exists: one FakeDwmCall a line.
class DwmCallLog {
public:
    DwmCallLog() : path_(TempFilePath(L"zelvar-dwm-", L".log"))
    {
        SetEnvironmentVariableW(L"ZELVAR_FAKE_DWM_LOG", path_.c_str());
    }
    ~DwmCallLog()
    {
        SetEnvironmentVariableW(L"ZELVAR_FAKE_DWM_LOG", nullptr);
        DeleteFileW(path_.c_str());
    }
    std::vector<FakeDwmCall> Calls() const
    {
        std::vector<unsigned char> data = ReadWholeFile(path_);
        std::vector<FakeDwmCall> calls;
        for (const std::string &line : Lines(std::string(data.begin(), data.end()))) {
            int window = 0;
            unsigned long attribute = 0, value = 0, size = 0;
            if (sscanf(line.c_str(), "%d %lu %lu %lu", &window, &attribute, &value, &size) == 4)
                calls.push_back({(HWND)(INT_PTR)window, attribute, value, size});
        }
        return calls;
    }

private:
    std::wstring path_;
};

struct CatalogueRow {
    int number;
    const char *name;
    int paramCount;
    const char *editor;
    const char *hint;
};

const CatalogueRow kCatalogue[] = {
    {1, "qzvZelvar_SetColor", 4, "yes", "Set title bar background color using color picker"},
    {2, "qzvZelvar_SetTextColor", 4, "yes", "Set title bar text color using color picker"},
    {3, "qzvZelvar_ApplyTheme", 2, "yes", "Apply a predefined theme to title bar"},
    {4, "qzvZelvar_GetActiveWindow", 0, "no", "Get active window title and handle"},
    {5, "qzvZelvar_RemoveStyle", 1, "no", "Reset title bar to Windows default appearance"},
    {6, "qzvZelvar_SetBlur", 2, "no", "Enable/disable titlebar blur effect (1=on, 0=off)"},
};

TEST(PngReader, InflatesWhatZlibWrites)
{
    // Streams made by zlib itself: a stored block, fixed codes, dynamic codes.
    const std::vector<unsigned char> stored = {
        0x78, 0x01, 0x01, 0x0D, 0x00, 0xF2, 0xFF, 0x5A, 0x65, 0x6C, 0x76, 0x61,
        0x72, 0x20, 0x73, 0x74, 0x6F, 0x72, 0x65, 0x64, 0x23, 0xAA, 0x05, 0x26};
    const std::vector<unsigned char> fixed = {
        0x78, 0xDA, 0x4B, 0x4E, 0x2C, 0x28, 0xC9, 0xCC, 0xCF, 0xD3, 0x51, 0x28, 0x49, 0xAD,
        0x28, 0xD1, 0x51, 0x48, 0xC6, 0xC3, 0x55, 0x04, 0x00, 0x67, 0x43, 0x0F, 0xB7};
    const std::vector<unsigned char> dynamic = {
        0x78, 0xDA, 0x3D, 0x8F, 0xC9, 0x0D, 0x00, 0x21, 0x0C, 0x03, 0x5B, 0x49, 0x6B, 0x3E,
        0xFA, 0xAF, 0x61, 0x6D, 0x02, 0x9B, 0x47, 0x84, 0x7C, 0x4C, 0x04, 0x0C, 0x92, 0x20,
        0xA0, 0x91, 0x00, 0x0C, 0xDC, 0x95, 0x89, 0xAE, 0x58, 0xF5, 0x40, 0xAD, 0xD3, 0x68,
        0xDE, 0x84, 0x87, 0x9C, 0x39, 0x92, 0x44, 0x37, 0x64, 0x51, 0xDE, 0xE6, 0xBC, 0x52,
        0x00, 0x45, 0x40, 0x18, 0x2E, 0xB3, 0xB9, 0xB8, 0x3D, 0x75, 0xEE, 0x94, 0xC6, 0xCD,
        0x76, 0xF9, 0x54, 0x03, 0x50, 0x4B, 0x41, 0x43, 0xF6, 0x1C, 0xFE, 0x02, 0x96, 0x81,
        0xCB, 0x7B, 0xC3, 0xB1, 0xA3, 0xA7, 0x46, 0x5F, 0xBF, 0x84, 0xFE, 0x00, 0xFC, 0x9B,
        0x99, 0x0F, 0x97, 0x8A, 0x56, 0xBF};
    std::string skewed;  // the text the dynamic stream holds
    unsigned long long x = 1;
    for (int i = 0; i < 240; i++) {
        x = (x * 1103515245 + 12345) % 2147483648u;
        skewed += "aaaaaaaabbbbccd "[(x >> 16) % 16];
    }
    const struct {
        const std::vector<unsigned char> *stream;
        std::string text;
    } cases[] = {{&stored, "Zelvar stored"},
                 {&fixed, "caption, text, caption, text, caption, text!"},
                 {&dynamic, skewed}};
    for (const auto &c : cases) {
        std::vector<unsigned char> out;
        std::string error;
        ASSERT_TRUE(ZlibInflate(c.stream->data(), c.stream->size(), &out, &error)) << error;
        EXPECT_EQ(std::string(out.begin(), out.end()), c.text);
        // A changed byte of the data is caught by the Adler-32 at the latest.
        std::vector<unsigned char> damaged = *c.stream;
        damaged[damaged.size() - 6] ^= 0x01;
        out.clear();
        EXPECT_FALSE(ZlibInflate(damaged.data(), damaged.size(), &out, &error));
    }
}

TEST(Workbench, HelpShowsTheCommandsTheRunSyntaxAndTheExitCodes)
{
    HostRun run = RunHost({"--help"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    for (const char *part : {"usage:", "zelvar-host run ACTION [PARAM ...] [+ ACTION [PARAM ...]]",
                             "--null", "--window HANDLE", "--title TEXT", "--keep-open",
                             "exit codes:", "  4  no action of the catalogue"})
        EXPECT_TRUE(Contains(run.out, part)) << part;
}

TEST(Workbench, WithoutArgumentsRunsTheDemo)
{
    HostRun run = RunHost({});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Contains(run.out, "Catalogue (6 actions):"));
    EXPECT_TRUE(Contains(run.out, "Done: 6 of 6 actions succeeded."));
}

TEST(Workbench, InfoShowsTheDescriptionAndTheCatalogueAsATable)
{
    HostRun run = RunHost({"info"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines = Lines(run.out);
    auto hasLine = [&](const std::string &pattern) {
        std::regex line(pattern);
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string &l) { return std::regex_match(l, line); });
    };
    EXPECT_TRUE(hasLine(R"(\s*Title:\s+Zelvar Plugin)"));
    EXPECT_TRUE(hasLine(R"(\s*Publisher:\s+Plugin Developer)"));
    EXPECT_TRUE(hasLine(R"(\s*Hint:\s+Customize Windows title bar colors with 20 alphabetical themes)"));
    EXPECT_TRUE(hasLine(R"(\s*#\s+Action\s+Params\s+Editor\s+Hint)"));
    for (const CatalogueRow &row : kCatalogue) {
        std::string hint = std::regex_replace(row.hint, std::regex(R"([()/=,])"), R"(\$&)");
        EXPECT_TRUE(hasLine(R"(\s*)" + std::to_string(row.number) + R"(\s+)" + row.name +
                            R"(\s+)" + std::to_string(row.paramCount) + R"(\s+)" + row.editor +
                            R"(\s+)" + hint))
            << row.name << "\n" << run.out;
    }
}

TEST(Workbench, RunFindsActionsByNumberAndByNameInAnyCaseWithOrWithoutPrefix)
{
    const char *spellings[] = {"qzvZelvar_SetColor", "SetColor", "setcolor",
                               "QZVZELVAR_SETCOLOR", "qzvzelvar_setCOLOR", "1"};
    std::vector<std::string> args = {"run"};
    int red = 0;
    for (const char *spelling : spellings) {
        if (red > 0)
            args.push_back("+");
        args.insert(args.end(), {spelling, std::to_string(++red), "7", "9"});
    }
    HostRun run = RunHost(args);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
    std::vector<std::string> lines = ActionLines(run.out);
    ASSERT_EQ(lines.size(), 6u * 4 + 1) << run.out;
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(spellings[i]);
        std::string red = std::to_string(i + 1);
        EXPECT_EQ(lines[i * 4], "> qzvZelvar_SetColor \"" + red + "\" \"7\" \"9\" null");
        EXPECT_EQ(lines[i * 4 + 1], "    [SelectedTitlebarColor] = \"" + red + ",7,9\"");
        EXPECT_EQ(lines[i * 4 + 2], "    [Zelvar.LastError] = \"OK\"");
        EXPECT_EQ(lines[i * 4 + 3], "  result 1");
    }
    EXPECT_EQ(lines.back(), "6 of 6 actions returned 1.");
}

TEST(Workbench, RunPassesMissingParametersAsNullEntries)
{
    // Null entries take the defaults (theme 1, components 0); an empty text
    // is a text, read as 0.
    HostRun run = RunHost({"run", "ApplyTheme", "+", "SetColor", "255", "+", "SetColor", "--null",
                           "7", "8", "+", "ApplyTheme", ""});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1u) << run.out << run.err;
    std::vector<std::string> lines = ActionLines(run.out);
    ASSERT_FALSE(lines.empty()) << run.out;
    auto has = [&](const std::string &line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("> qzvZelvar_ApplyTheme null null"));
    EXPECT_TRUE(has("    [Zelvar.LastError] = \"Theme 'Charcoal' applied successfully\""));
    EXPECT_TRUE(has("> qzvZelvar_SetColor \"255\" null null null"));
    EXPECT_TRUE(has("    [SelectedTitlebarColor] = \"255,0,0\""));
    EXPECT_TRUE(has("> qzvZelvar_SetColor null \"7\" \"8\" null"));
    EXPECT_TRUE(has("    [SelectedTitlebarColor] = \"0,7,8\""));
    EXPECT_TRUE(has("> qzvZelvar_ApplyTheme \"\" null"));
    EXPECT_TRUE(has("    [Zelvar.LastError] = \"Invalid theme index\""));
    EXPECT_EQ(lines.back(), "3 of 4 actions returned 1.");
}

TEST(Workbench, RunExecutesSeveralActionsInTurnPrintingEveryWrite)
{
    HostRun run = RunHost({"run", "SetColor", "1", "2", "3", "+", "SetTextColor", "4", "5", "6",
                           "+", "ApplyTheme", "10", "+", "RemoveStyle"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ActionLines(run.out),
              (std::vector<std::string>{
                  "> qzvZelvar_SetColor \"1\" \"2\" \"3\" null",
                  "    [SelectedTitlebarColor] = \"1,2,3\"",
                  "    [Zelvar.LastError] = \"OK\"",
                  "  result 1",
                  "> qzvZelvar_SetTextColor \"4\" \"5\" \"6\" null",
                  "    [SelectedTitlebarTextColor] = \"4,5,6\"",
                  "    [Zelvar.LastError] = \"OK\"",
                  "  result 1",
                  "> qzvZelvar_ApplyTheme \"10\" null",
                  "    [SelectedTitlebarColor] = \"255,215,0\"",
                  "    [Zelvar.LastError] = \"OK\"",
                  "    [SelectedTitlebarTextColor] = \"0,0,0\"",
                  "    [Zelvar.LastError] = \"OK\"",
                  "    [SelectedColorTheme] = \"Gold\"",
                  "    [Zelvar.LastError] = \"Theme 'Gold' applied successfully\"",
                  "  result 1",
                  "> qzvZelvar_RemoveStyle null",
                  "    [SelectedTitlebarColor] = \"\"",
                  "    [SelectedTitlebarTextColor] = \"\"",
                  "    [Zelvar.LastError] = \"OK - Title bar reset to system defaults\"",
                  "  result 1",
                  "4 of 4 actions returned 1.",
              }));
}

TEST(Workbench, ExitCodeTellsWhetherEveryActionReturnedOne)
{
    const struct {
        std::vector<std::string> args;
        DWORD exitCode;
        const char *summary;
    } cases[] = {
        {{"run", "ApplyTheme", "0"}, 1, "0 of 1 actions returned 1."},
        {{"run", "ApplyTheme", "20"}, 0, "1 of 1 actions returned 1."},
        // A failure in the middle: the actions after it still run.
        {{"run", "SetBlur", "1", "+", "ApplyTheme", "21", "+", "SetBlur", "0"}, 1,
         "2 of 3 actions returned 1."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.summary);
        HostRun run = RunHost(c.args);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
        EXPECT_EQ(run.err, "");
        std::vector<std::string> lines = ActionLines(run.out);
        ASSERT_FALSE(lines.empty()) << run.out;
        EXPECT_EQ(lines.back(), c.summary);
        if (c.exitCode == 1 && c.args.size() == 3) {
            EXPECT_EQ(lines, (std::vector<std::string>{"> qzvZelvar_ApplyTheme \"0\" null",
                                                       "    [Zelvar.LastError] = \"Invalid theme index\"",
                                                       "  result 0", c.summary}));
        }
    }
}

TEST(Workbench, ErrorsGiveOneLineOnStandardErrorAndTheirExitCode)
{
    wchar_t testProgram[MAX_PATH];
    GetModuleFileNameW(nullptr, testProgram, MAX_PATH);
    std::wstring noExportFake(testProgram);
    noExportFake = noExportFake.substr(0, noExportFake.rfind(L'\\') + 1) + L"dwmapi.dll";
    const char *fullFake = getenv("ZELVAR_FAKE_DWM");
    ASSERT_NE(fullFake, nullptr) << "run under tests/wine/run-under-wine.sh";
    // A handle that was a window and is no more.
    HWND gone = CreateHostWindow(L"Zelvar workbench test, soon gone");
    DestroyWindow(gone);
    const std::string goneHandle = std::to_string((int)(INT_PTR)gone);
    const std::string noDirectory = Narrow(TempFilePath(L"no-such-dir-", L"")) + "\\gallery.png";

    const struct {
        std::vector<std::string> args;
        DWORD exitCode;
        std::string fragment;
    } cases[] = {
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"run"}, 2, "run needs an ACTION"},
        {{"edit"}, 2, "edit needs an ACTION"},
        {{"run", "SetBlur", "+"}, 2, "'+' must be followed by an ACTION"},
        {{"run", "+", "SetBlur"}, 2, "'+' must come between two actions"},
        {{"run", "SetBlur", "1", "0", "5"}, 2, "qzvZelvar_SetBlur takes 2 parameters; 3 were given"},
        {{"run", "--frob", "SetBlur"}, 2, "unknown option '--frob'"},
        {{"run", "SetBlur", "--plugin"}, 2, "--plugin needs a value"},
        {{"run", "--window", "12abc", "SetBlur"}, 2, "--window needs a window handle"},
        {{"run", "--window", "1", "--title", "x", "SetBlur"}, 2, "cannot be used together"},
        {{"info", "--keep-open"}, 2, "info takes no window options"},
        {{"gallery"}, 2, "gallery needs a FILE"},
        {{"gallery", "a.png", "b.png"}, 2, "gallery takes one FILE"},
        {{"run", "Frobnicate"}, 4, "the plug-in has no action 'Frobnicate'"},
        {{"run", "SetBlur", "+", "7"}, 4, "the plug-in has no action '7'"},
        {{"edit", "qzvZelvar_"}, 4, "the plug-in has no action 'qzvZelvar_'"},
        {{"--plugin", "Z:\\no\\such\\folder\\ZelvarPlugin.dll", "info"}, 3, "cannot load the plug-in"},
        {{"--plugin", Narrow(noExportFake), "run", "SetBlur"}, 3,
         "is not a plug-in: it lacks the export _nbRegisterPlugIn"},
        {{"--plugin", fullFake, "info"}, 3, "lacks the export _nbRegisterPlugIn"},
        {{"run", "--title", "no window is called this 7f3a", "SetBlur"}, 5,
         "no visible top-level window has a title containing \"no window is called this 7f3a\""},
        {{"run", "--window", goneHandle, "SetBlur"}, 5, "no window has the handle " + goneHandle},
        {{"gallery", noDirectory}, 6, "cannot create " + noDirectory},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fragment);
        HostRun run = RunHost(c.args);
        ExpectOneErrorLine(run, c.exitCode, c.fragment);
        EXPECT_FALSE(Contains(run.out, "result ")) << "an action ran: " << run.out;
    }
}

TEST(Workbench, HostWindowIsItsOwnOrTheOneOfWindowOrTitle)
{
    const std::wstring title = L"Zelvar Workbench Target " + std::to_wstring(GetCurrentProcessId());
    HWND window = CreateHostWindow(title.c_str());
    ASSERT_NE(window, nullptr);
    const int handle = (int)(INT_PTR)window;
    char hex[16];
    sprintf(hex, "0x%X", (unsigned)handle);
    const struct {
        const char *what;
        std::vector<std::string> options;
        bool own;
    } cases[] = {
        {"own window", {}, true},
        {"--window decimal", {"--window", std::to_string(handle)}, false},
        {"--window hex", {"--window", hex}, false},
        // Part of the title, in another case.
        {"--title", {"--title", "wORKBENCH tARGET " + std::to_string(GetCurrentProcessId())}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        DwmCallLog log;
        std::vector<std::string> args = {"run"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"SetColor", "1", "2", "3"});
        HostRun run = RunHost(args);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u) << run.out << run.err;
        int printed = PrintedHostWindow(run.out);
        if (c.own) {
            EXPECT_NE(printed, 0);
            EXPECT_NE(printed, handle);
            EXPECT_TRUE(Contains(run.out, "\"Zelvar host window\" (zelvar-host's own)"));
        } else {
            EXPECT_EQ(printed, handle);
            EXPECT_TRUE(Contains(run.out, Narrow(title)));
        }
        // The window the plug-in coloured is the host window it was handed.
        std::vector<FakeDwmCall> calls = log.Calls();
        ASSERT_EQ(calls.size(), 1u) << run.out;
        EXPECT_EQ((int)(INT_PTR)calls[0].window, printed);
        EXPECT_EQ(calls[0].attribute, 35u);
        EXPECT_EQ(calls[0].value, 0x030201u);
        EXPECT_EQ(calls[0].size, 4u);
    }
    DestroyWindow(window);
}

TEST(Workbench, KeepOpenLeavesTheWindowOnScreenUntilItIsClosed)
{
    HostProcess host;
    ASSERT_TRUE(host.Start({"run", "--keep-open", "ApplyTheme", "7"}));
    ASSERT_TRUE(host.WaitForOutput("stays open until it is closed")) << "zelvar-host did not wait";
    HWND window = WaitForWindowOf(host.ProcessId(), L"ZelvarHostWindow", nullptr);
    ASSERT_NE(window, nullptr);
    Sleep(300);
    EXPECT_TRUE(host.Running());
    EXPECT_TRUE(IsWindowVisible(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.Wait(30000)) << "zelvar-host did not end when its window was closed";
    EXPECT_EQ(host.exitCode, 0u) << host.err;
    EXPECT_TRUE(Contains(host.out, "Theme 'Deep Teal' applied successfully"));
}

TEST(Workbench, EditPrintsTheParameterTheThemeChooserRewrote)
{
    HostProcess host;
    ASSERT_TRUE(host.Start({"edit", "ApplyTheme", "5"}));
    HWND chooser = WaitForWindowOf(host.ProcessId(), nullptr, L"Choose Theme");
    ASSERT_NE(chooser, nullptr) << "the theme chooser did not open";
    // The OK button is made last, once the list is filled and preselected.
    HWND ok = nullptr;
    for (int wait = 0; ok == nullptr && wait < 200; wait++, Sleep(50))
        ok = FindWindowExW(chooser, nullptr, L"Button", L"OK");
    HWND list = FindWindowExW(chooser, nullptr, L"ListBox", nullptr);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(list, nullptr);
    DWORD_PTR selected = 0;
    SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
    EXPECT_EQ(selected, 4u) << "theme 5 is preselected";
    // The author picks theme 9 and presses OK.
    SendMessageTimeoutW(list, LB_SETCURSEL, 8, 0, SMTO_ABORTIFHUNG, 5000, &selected);
    PostMessageW(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(host.Wait(30000));
    EXPECT_EQ(host.exitCode, 0u) << host.out << host.err;
    EXPECT_EQ(ActionLines(host.out), (std::vector<std::string>{
                                         "> edit qzvZelvar_ApplyTheme \"5\" null",
                                         "  parameter 1: \"9\" (rewritten; was \"5\")",
                                         "  parameter 2: null (unchanged)",
                                         "  result 1",
                                         "1 of 1 edits returned 1.",
                                     }));
}

TEST(Workbench, EditClosedWithoutAColourLeavesTheParameters)
{
    HostProcess host;
    ASSERT_TRUE(host.Start({"edit", "SetColor", "0", "120", "215"}));
    HWND dialog = WaitForWindowOf(host.ProcessId(), L"#32770", nullptr);
    ASSERT_NE(dialog, nullptr) << "the colour dialog did not open";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.Wait(30000));
    EXPECT_EQ(host.exitCode, 1u) << host.out << host.err;
    EXPECT_EQ(ActionLines(host.out), (std::vector<std::string>{
                                         "> edit qzvZelvar_SetColor \"0\" \"120\" \"215\" null",
                                         "  parameter 1: \"0\" (unchanged)",
                                         "  parameter 2: \"120\" (unchanged)",
                                         "  parameter 3: \"215\" (unchanged)",
                                         "  parameter 4: null (unchanged)",
                                         "  result 0",
                                         "0 of 1 edits returned 1.",
                                     }));
}

struct ThemeRow {
    const char *name;
    unsigned caption, text;  // 0xRRGGBB
};

const ThemeRow kThemes[20] = {
    {"Charcoal", 0x36454F, 0xFFFFFF},      {"Clean White", 0xFFFFFF, 0x202020},
    {"Crimson Red", 0xDC143C, 0xFFFFFF},   {"Cyber Purple", 0x4B0082, 0xBA55D3},
    {"Dark Gray", 0x404040, 0xF0F0F0},     {"Dark Mode", 0x202020, 0xFFFFFF},
    {"Deep Teal", 0x008080, 0xFFFFFF},     {"Electric Blue", 0x00BFFF, 0x000000},
    {"Forest Green", 0x228B22, 0xFFFFFF},  {"Gold", 0xFFD700, 0x000000},
    {"Hot Pink", 0xFF1493, 0xFFFFFF},      {"Light Mode", 0xF0F0F0, 0x000000},
    {"Lime Green", 0x32CD32, 0x000000},    {"Matrix Green", 0x006400, 0x00FF00},
    {"Midnight Blue", 0x191970, 0xFFFFFF}, {"Office Blue", 0x0078D7, 0xFFFFFF},
    {"Royal Purple", 0x663399, 0xFFFFFF},  {"Steel Blue", 0x4682B4, 0xFFFFFF},
    {"Sunset Orange", 0xFF8C00, 0xFFFFFF}, {"Warm Gray", 0x808076, 0xFFFFFF},
};

TEST(Workbench, GalleryDrawsEveryThemeIntoAPng)
{
    // Four mock-ups a row, 300 by 78 pixels, 16 apart and from the edges;
    // the title bar is 32 pixels high inside a 1-pixel frame.
    const int kColumns = 4, kWidth = 300, kHeight = 78, kGap = 16, kTitleBar = 32;
    std::wstring path = TempFilePath(L"zelvar-gallery-", L".png");
    HostRun run = RunHost({"gallery", Narrow(path)});
    std::vector<unsigned char> file = ReadWholeFile(path);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0u) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Contains(run.out, "1280 x 486 pixels, 20 themes"));

    PngImage image;
    std::string error;
    ASSERT_TRUE(ReadPng(file, &image, &error)) << error;
    EXPECT_EQ(image.width, kGap + kColumns * (kWidth + kGap));
    EXPECT_EQ(image.height, kGap + 5 * (kHeight + kGap));
    for (int i = 0; i < 20; i++) {
        SCOPED_TRACE(kThemes[i].name);
        EXPECT_TRUE(Contains(run.out, kThemes[i].name));
        int left = kGap + (i % kColumns) * (kWidth + kGap) + 1;
        int top = kGap + (i / kColumns) * (kHeight + kGap) + 1;
        EXPECT_EQ(image.Pixel(left + 3, top + kTitleBar / 2), kThemes[i].caption);
        EXPECT_EQ(image.Pixel(left + kWidth - 6, top + 2), kThemes[i].caption);
        // The caption text and buttons are drawn in the text colour.
        int textPixels = 0;
        for (int y = top; y < top + kTitleBar; y++) {
            for (int x = left; x < left + kWidth - 2; x++)
                textPixels += image.Pixel(x, y) == kThemes[i].text;
        }
        EXPECT_GE(textPixels, 30);
    }
}

}  // namespace
