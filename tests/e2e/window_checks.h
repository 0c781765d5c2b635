// Checks that the program's two windows share: their place, size and frame.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

namespace e2e {

// Centred on the primary screen at exactly the outer size, frame and title bar included.
inline void ExpectCentredAt(HWND window, SIZE outerSize) {
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, outerSize.cx);
    EXPECT_EQ(outer.bottom - outer.top, outerSize.cy);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - outerSize.cx) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - outerSize.cy) / 2);
}

// A fixed dialog-style frame with title bar and close box: no sizing, no
// minimise or maximise, not topmost, no menu.
inline void ExpectFixedFrame(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the user cannot resize it";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetMenu(window), nullptr);
}

}  // namespace e2e
