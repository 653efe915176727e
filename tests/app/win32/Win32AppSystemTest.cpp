#include "app/win32/Win32AppSystem.h"

#include <gtest/gtest.h>

TEST(Win32AppSystem, OnlyExistingWindowsArePreviewParents)
{
    Win32AppSystem system;
    EXPECT_FALSE(system.IsWindowHandle(0));
    HWND window = CreateWindowA("STATIC", "preview", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const uint32_t handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    EXPECT_TRUE(system.IsWindowHandle(handle));
    DestroyWindow(window);
    EXPECT_FALSE(system.IsWindowHandle(handle));
}
