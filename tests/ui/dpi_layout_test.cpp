// The windows laid out for their display's DPI, built inside this process,
// where their fonts can be read. On a 96-DPI desktop the layout is the
// tables' exactly; a move to a display of another scale is played by sending
// the window the message Windows sends then.
#include <gtest/gtest.h>

#include <windows.h>

#include "described_window.h"
#include "dpi.h"
#include "main_window.h"
#include "platform.h"

namespace corvanel {
namespace {

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr);
    EXPECT_TRUE(GetObjectW(handle, sizeof font, &font));
    return font;
}

LONG StockGuiFontHeight() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font.lfHeight;
}

class LaidOutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // As the program does at start-up.
        BecomeDpiAwareIfUnaware();
        ASSERT_TRUE(LoadWindow(kMainWindow, std::nullopt, false));
        window_ = FindWindowW(L"CorvanelMainWindow", nullptr);
        ASSERT_NE(window_, nullptr);
        described_ = DescribedWindow::FromHandle(window_);
        ASSERT_NE(described_, nullptr);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }

    // Every control where the table puts it at that DPI, with that DPI's fonts.
    void ExpectLaidOutFor(UINT dpi) {
        const DpiScale scale(dpi);
        for (const ControlDescription& control : kMainWindow.controls) {
            if (control.kind == ControlKind::Label) continue;
            HWND child = described_->Control(control.name);
            SCOPED_TRACE(static_cast<int>(control.name));
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
            const RECT& table = control.bounds;
            EXPECT_EQ(r.left, MulDiv(table.left, dpi, 96));
            EXPECT_EQ(r.top, MulDiv(table.top, dpi, 96));
            EXPECT_EQ(r.right - r.left, MulDiv(table.right - table.left, dpi, 96));
            EXPECT_EQ(r.bottom - r.top, MulDiv(table.bottom - table.top, dpi, 96));
            const LOGFONTW font = FontOf(child);
            if (control.font == ControlFont::SongTi10) {
                EXPECT_EQ(font.lfHeight, MulDiv(-10, dpi, 96));
                EXPECT_STREQ(font.lfFaceName, L"宋体");
            } else {
                EXPECT_EQ(font.lfHeight, MulDiv(StockGuiFontHeight(), dpi, SystemDpi()));
                const bool stock = SendMessageW(child, WM_GETFONT, 0, 0) ==
                                   reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
                EXPECT_EQ(stock, dpi == SystemDpi()) << "the stock font exactly where it is made for this DPI";
            }
        }
    }

    HWND window_ = nullptr;
    DescribedWindow* described_ = nullptr;
};

TEST_F(LaidOutWindow, ControlsAndFontsAreTheTablesAtTheWindowsDpi) {
    const UINT dpi = DpiOfWindow(window_);
    EXPECT_EQ(dpi, SystemDpi()) << "one display: the window's DPI is the system's";
    ExpectLaidOutFor(dpi);
}

TEST_F(LaidOutWindow, MovingToADisplayOfAnotherScaleLaysItOutAgainInTheSuggestedRectangle) {
    const UINT home = DpiOfWindow(window_);
    for (const UINT dpi : {home * 3 / 2, home * 5 / 4, home}) {
        SCOPED_TRACE(dpi);
        const RECT suggested{20, 30, 20 + MulDiv(364, dpi, 96), 30 + MulDiv(227, dpi, 96)};
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT outer{};
        GetWindowRect(window_, &outer);
        EXPECT_EQ(outer.left, suggested.left);
        EXPECT_EQ(outer.top, suggested.top);
        EXPECT_EQ(outer.right, suggested.right);
        EXPECT_EQ(outer.bottom, suggested.bottom);
        ExpectLaidOutFor(dpi);
    }
}

}  // namespace
}  // namespace corvanel
