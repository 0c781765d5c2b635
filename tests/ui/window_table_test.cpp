// Builds the program's windows from their tables inside this process, to read
// what Windows gives only to the window's own process: fonts, menus, icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "help_window.h"
#include "main_window.h"
#include "platform.h"

namespace corvanel {
namespace {

HWND Child(HWND window, int index) {
    HWND child = GetWindow(window, GW_CHILD);
    while (child && index-- > 0) child = GetWindow(child, GW_HWNDNEXT);
    return child;
}

class BuiltWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow(kMainWindow, std::nullopt, false));
        window_ = FindWindowA("CorvanelMainWindow", nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }
    HWND window_ = nullptr;
};

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr);
    EXPECT_TRUE(GetObjectA(handle, sizeof font, &font));
    return font;
}

TEST_F(BuiltWindow, LinkBoxesUseSongTiAtTenPixelsAndTheRestTheDefaultGuiFont) {
    LOGFONTA defaultGui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof defaultGui, &defaultGui);
    // Stacking order: 按钮6 按钮5 按钮4 按钮3 编辑框4 编辑框3 按钮2 按钮1 编辑框2 编辑框1
    const bool isLinkBox[] = {false, false, false, false, true, true, false, false, true, false};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const LOGFONTA font = FontOf(Child(window_, i));
        if (isLinkBox[i]) {
            EXPECT_STREQ(font.lfFaceName, "宋体");
            EXPECT_EQ(font.lfHeight, -10);
            EXPECT_EQ(font.lfWeight, 400);
            EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
            EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
            EXPECT_EQ(font.lfOutPrecision, OUT_DEFAULT_PRECIS);
            EXPECT_EQ(font.lfClipPrecision, CLIP_DEFAULT_PRECIS);
            EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
            EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH);
        } else {
            EXPECT_EQ(std::string(font.lfFaceName), std::string(defaultGui.lfFaceName));
            EXPECT_EQ(font.lfHeight, defaultGui.lfHeight);
        }
    }
}

// Sizing, minimising and maximising are ruled out by the frame's styles, which
// the end-to-end tests check; the menu only greys those items when it opens.
TEST_F(BuiltWindow, SystemMenuKeepsMoveAndClose) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    ASSERT_NE(menu, nullptr);
    auto enabled = [&](UINT command) {
        const UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    };
    EXPECT_TRUE(enabled(SC_MOVE));
    EXPECT_TRUE(enabled(SC_CLOSE));
}

TEST_F(BuiltWindow, LargeAndSmallIconAreTheSame48By48Image) {
    auto large = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON));
    auto small = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICONSM));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large, small);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(large, &info));
    BITMAP colour{};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, 48);
    EXPECT_EQ(colour.bmHeight, 48);
    EXPECT_EQ(colour.bmBitsPixel, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// UTF-8 to GBK by the system's encoder; this file's own literals are GBK already.
std::string GbkOf(const char8_t* utf8) {
    const char* bytes = reinterpret_cast<const char*>(utf8);
    wchar_t wide[1024];
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, bytes, -1, wide, 1024);
    char gbk[2048];
    const int length = WideCharToMultiByte(936, 0, wide, wideLength, gbk, sizeof gbk, nullptr, nullptr);
    return std::string(gbk, length > 0 ? length - 1 : 0);
}

TEST(HelpText, HoldsTheLinesAndEmptyLinesWithCrLfAndNoneAfterTheLast) {
    const char8_t* lines[] = {
        u8"",
        u8"",
        u8"1.在百度网盘中上传要作为QQ空间背景音乐的MP3文件，然后分享",
        u8"",
        u8"2.在网盘地址一栏中填写百度网盘的分享地址，然后点击“生成外链地址并复制”按钮即可生成QQ空间背景音乐地址。",
        u8"",
        u8"",
        u8"注意：本工具仅支持百度网盘",
        u8"",
        nullptr,  // the sign-up line, checked below
        u8"",
        u8"",
        nullptr,  // the closing credit line
    };
    std::string text = kHelpText;
    std::vector<std::string> actual;
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
        actual.push_back(text.substr(0, at));
    actual.push_back(text);
    ASSERT_EQ(actual.size(), std::size(lines));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(actual[i].find_first_of("\r\n"), std::string::npos);
        if (lines[i]) {
            EXPECT_EQ(actual[i], GbkOf(lines[i]));
        }
    }
    const std::string signUp = GbkOf(u8"百度网盘帐号申请：");
    EXPECT_EQ(actual[9].substr(0, signUp.size()), signUp);
    EXPECT_EQ(actual[9].substr(signUp.size(), 8), "https://");
    EXPECT_EQ(actual[9].substr(actual[9].size() - 2), " ,");
    EXPECT_FALSE(actual[12].empty());
}

TEST(ProgramTexts, CompilerWritesGbk) {
    const std::string token = "#引号";
    EXPECT_EQ(token, "\x23\xD2\xFD\xBA\xC5");
}

}  // namespace
}  // namespace corvanel
