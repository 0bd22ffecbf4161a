// The common fixture: a fresh load of the plug-in for every test, the fake
// window manager loaded beside it, and the recording host callbacks.
#pragma once
#include <gtest/gtest.h>

#include "plugin_host.h"

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearRecords();
        ASSERT_TRUE(dwm.Load()) << "the fake dwmapi.dll is not in the system directory";
        ASSERT_TRUE(plugin.Load()) << "cannot load the plug-in";
    }

    void TearDown() override
    {
        plugin.Unload();
        dwm.Unload();
    }

    // Registers the recording callbacks, initialises with `window` as the
    // host window, and forgets what that wrote.
    void StartHost(HWND window)
    {
        plugin.RegisterRecording();
        plugin.InitPlugIn(window, nullptr, nullptr, nullptr);
        ClearRecords();
    }

    Plugin plugin;
    FakeDwm dwm;
};

// A host window handle that names no window: the window manager is a fake,
// so styling does not need a real one, and this value is easy to spot.
inline HWND SentinelHostWindow() { return (HWND)(INT_PTR)0x7A7A7A7A; }
