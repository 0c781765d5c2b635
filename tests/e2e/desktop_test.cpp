// The program on each desktop the tests set up: 96 or 144 DPI, code page 936,
// 1252 or 950. Everywhere it must look and behave as on a Chinese Windows at
// 96 DPI: the same texts, the same links, the layout of its tables scaled to
// the display. Texts are read through the wide functions, which read the same
// whatever the desktop's ANSI code page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "main_window_controls.h"
#include "program.h"

namespace e2e {
namespace {

using namespace main_window;

constexpr int kTableDpi = 96;

struct TableRow {
    const char* name;
    int index;    // stacking index of the control; -1 for a label, which the window paints
    RECT bounds;  // x, y, width, height at 96 DPI
    const char* text;
    bool isButton;
};

const TableRow kMainWindowTable[] = {
    {"按钮6", k按钮6, {312, 160, 40, 32}, "Vantrel", true},
    {"按钮5", k按钮5, {307, 117, 45, 27}, "复制", true},
    {"按钮4", k按钮4, {308, 86, 44, 24}, "复制", true},
    {"按钮3", k按钮3, {308, 48, 44, 32}, "复制", true},
    {"标签4", -1, {3, 120, 73, 16}, "生成的地址三", false},
    {"编辑框4", k编辑框4, {80, 115, 224, 24}, "", false},
    {"标签3", -1, {4, 88, 73, 16}, "生成的地址二", false},
    {"编辑框3", k编辑框3, {80, 81, 224, 24}, "", false},
    {"按钮2", k按钮2, {264, 160, 40, 32}, "使用帮助", true},
    {"标签2", -1, {4, 56, 73, 16}, "生成的地址一", false},
    {"标签1", -1, {4, 24, 74, 16}, "网盘分享地址", false},
    {"按钮1", k按钮1, {104, 150, 144, 18}, "点击生成外链地址", true},
    {"编辑框2", k编辑框2, {80, 48, 224, 24}, "", false},
    {"编辑框1", k编辑框1, {80, 16, 256, 24}, "", false},
};

constexpr SIZE kMainWindowOuterSize{364, 227};
constexpr SIZE kHelpWindowOuterSize{380, 250};

int Scaled(int tableValue) { return MulDiv(tableValue, DesktopDpi(), kTableDpi); }
// At 96 DPI the layout is the tables' exactly; scaled, a pixel of rounding is allowed.
int Tolerance() { return DesktopDpi() == kTableDpi ? 0 : 1; }

// The desktop's name as the test run set it up, for screenshot names.
std::string DesktopName() {
    const char* name = std::getenv("CORVANEL_DESKTOP");
    return name ? name : "zh-CN";
}

// Frame and title bar of the window's style at a DPI.
SIZE FrameAt(HWND window, int dpi) {
    RECT frame{};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), static_cast<UINT>(dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT ScreenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The client area is the one the table's outer size holds at 96 DPI, scaled;
// the outer size is that client area in this DPI's frame, centred on the screen.
void ExpectScaledAndCentred(HWND window, SIZE tableOuterSize) {
    const SIZE tableFrame = FrameAt(window, kTableDpi);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_NEAR(client.right, Scaled(tableOuterSize.cx - tableFrame.cx), Tolerance());
    EXPECT_NEAR(client.bottom, Scaled(tableOuterSize.cy - tableFrame.cy), Tolerance());
    const SIZE frame = FrameAt(window, DesktopDpi());
    const RECT outer = ScreenRectOf(window);
    EXPECT_EQ(outer.right - outer.left, client.right + frame.cx);
    EXPECT_EQ(outer.bottom - outer.top, client.bottom + frame.cy);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
}

// Per-monitor aware: by the manifest on Windows, by the program itself where
// the manifest's first choice is unknown, as to Wine 8.
TEST(Desktop, ProgramIsPerMonitorDpiAware) {
    Program program;
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(program.MainWindow())),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

TEST(Desktop, MainWindowIsItsTableAtTheDisplaysDpi) {
    Program program;
    SCOPED_TRACE(DesktopName() + " at " + std::to_string(DesktopDpi()) + " DPI");
    ExpectScaledAndCentred(program.MainWindow(), kMainWindowOuterSize);
    for (const TableRow& row : kMainWindowTable) {
        if (row.index < 0) continue;
        SCOPED_TRACE(row.name);
        const RECT r = ClientRectOf(program.Control(row.index));
        EXPECT_NEAR(r.left, Scaled(row.bounds.left), Tolerance());
        EXPECT_NEAR(r.top, Scaled(row.bounds.top), Tolerance());
        EXPECT_NEAR(r.right - r.left, Scaled(row.bounds.right), Tolerance());
        EXPECT_NEAR(r.bottom - r.top, Scaled(row.bounds.bottom), Tolerance());
    }
}

TEST(Desktop, HelpWindowIsItsTableAtTheDisplaysDpi) {
    Program program;
    ClickButton(program.Control(k按钮2));
    HWND help = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (help = program.FindTopLevel("CorvanelHelpWindow")) && IsWindowVisible(help); }));
    ExpectScaledAndCentred(help, kHelpWindowOuterSize);
    EXPECT_EQ(WindowTextWide(help), L"");
    // The label, 24, 0, 336 x 192 in the table, shows the red text inside its scaled rectangle.
    POINT origin{0, 0};
    ClientToScreen(help, &origin);
    const RECT label{origin.x + Scaled(24), origin.y, origin.x + Scaled(24 + 336), origin.y + Scaled(192)};
    const auto red = [](COLORREF c) { return c == RGB(255, 0, 0); };
    // Text pixels grow with the square of the scale.
    EXPECT_TRUE(WaitUntil([&] { return CountScreenPixels(label, red) > Scaled(Scaled(200)); }));
    const RECT leftOfLabel{origin.x, origin.y, origin.x + Scaled(24), origin.y + Scaled(192)};
    EXPECT_EQ(CountScreenPixels(leftOfLabel, red), 0);
    Sleep(200);
    SaveScreenshot(ScreenRectOf(help), "help-window");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return program.FindTopLevel("CorvanelHelpWindow") == nullptr; }));
}

// Pixels of exactly that colour in the text as GDI draws it on button face
// with the desktop's GUI font, in one line and nowhere clipped.
int PixelsOfWholeText(const std::wstring& text, COLORREF colour) {
    constexpr int kWidth = 600;
    constexpr int kHeight = 100;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &all, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (int i = 0; i < kWidth * kHeight; ++i)
        if ((pixels[i] & 0xFFFFFF) == wanted) ++count;
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return count;
}

// The width and height that the caption needs in a button whose inner width
// is `innerWidth`, with the font selected into the DC.
SIZE CaptionExtent(HDC dc, const std::wstring& text, int innerWidth) {
    RECT needed{0, 0, innerWidth, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    return {needed.right, needed.bottom};
}

// The desktop's GUI font as it is at 96 DPI, the table's.
HFONT GuiFontAtTableDpi() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, kTableDpi, DesktopDpi());
    return CreateFontIndirectW(&font);
}

// A label's text is whole when the window shows as many pixels of its colour
// inside the label's scaled rectangle as the text has when drawn unclipped.
// A button's caption, measured with the desktop's GUI font, fits inside the
// button's frame in as many lines as it wraps to, wherever it fits the
// table's button at 96 DPI. Where the table's button is narrower than its
// caption in this font (a Song face draws "Vantrel" 42 pixels wide, in a
// 40-pixel button), the caption may be cut, but by no more than the table
// cuts it at 96 DPI, scaled.
TEST(Desktop, NoLabelOrButtonTextIsCut) {
    Program program;
    program.BringToFront(program.MainWindow());
    POINT origin{0, 0};
    ClientToScreen(program.MainWindow(), &origin);
    HDC dc = CreateCompatibleDC(nullptr);
    const HFONT tableDpiFont = GuiFontAtTableDpi();
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    constexpr int kButtonFrame = 2;  // each side
    for (const TableRow& row : kMainWindowTable) {
        if (row.index >= 0 && !row.isButton) continue;
        SCOPED_TRACE(row.name);
        const std::wstring text = Wide(row.text);
        if (!row.isButton) {
            const COLORREF colour = std::string(row.name) == "标签1" ? RGB(0, 0, 255) : RGB(255, 0, 255);
            const RECT label{origin.x + Scaled(row.bounds.left), origin.y + Scaled(row.bounds.top),
                             origin.x + Scaled(row.bounds.left + row.bounds.right),
                             origin.y + Scaled(row.bounds.top + row.bounds.bottom)};
            const int whole = PixelsOfWholeText(text, colour);
            int shown = 0;
            WaitUntil([&] { return (shown = CountScreenPixels(label, [&](COLORREF c) { return c == colour; })) >= whole; },
                      2000ms);
            std::cout << "  " << row.name << ": " << shown << " of " << whole << " text pixels shown in "
                      << label.right - label.left << " x " << label.bottom - label.top << "\n";
            EXPECT_GT(whole, 0);
            EXPECT_EQ(shown, whole);
            continue;
        }
        const RECT button = ClientRectOf(program.Control(row.index));
        const int inner = button.right - button.left - 2 * kButtonFrame;
        const int height = button.bottom - button.top;
        const SIZE needed = CaptionExtent(dc, text, inner);

        SelectObject(dc, tableDpiFont);
        const int tableInner = row.bounds.right - 2 * kButtonFrame;
        const SIZE neededAtTableDpi = CaptionExtent(dc, text, tableInner);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));

        std::cout << "  " << row.name << ": text " << needed.cx << " x " << needed.cy << " in button "
                  << button.right - button.left << " x " << height << "; at 96 DPI " << neededAtTableDpi.cx
                  << " x " << neededAtTableDpi.cy << " in " << row.bounds.right << " x " << row.bounds.bottom << "\n";
        if (neededAtTableDpi.cx <= tableInner && neededAtTableDpi.cy <= row.bounds.bottom) {
            EXPECT_LE(needed.cx, inner) << "a character is wider than the button";
            EXPECT_LE(needed.cy, height) << "the lines are taller than the button";
        } else {
            EXPECT_LE(needed.cx - inner, Scaled(std::max(0L, neededAtTableDpi.cx - tableInner)) + Tolerance())
                << "cut more than at 96 DPI";
            EXPECT_LE(needed.cy - height, Scaled(std::max(0L, neededAtTableDpi.cy - row.bounds.bottom)) + Tolerance())
                << "cut more than at 96 DPI";
        }
    }
    SelectObject(dc, previous);
    DeleteObject(tableDpiFont);
    DeleteDC(dc);
}

TEST(Desktop, WindowAndControlTextsReadAsTheProgramHasThem) {
    Program program;
    EXPECT_EQ(WindowTextWide(program.MainWindow()), L"Corvanel");
    for (const TableRow& row : kMainWindowTable) {
        if (row.index < 0) continue;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WindowTextWide(program.Control(row.index)), Wide(row.text));
    }
}

// What the program makes of a character that GBK cannot hold: what the
// system's code page 936 encoder makes of it, read back.
std::wstring ThroughGbk(const std::wstring& text) {
    const int length = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), gbk.data(), length, nullptr, nullptr);
    const int wideLength = MultiByteToWideChar(936, 0, gbk.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), length, wide.data(), wideLength);
    return wide;
}

struct ChineseAddress {
    const char* name;
    const char* address;  // UTF-8
    const char* shareId;
    const char* shareUk;
};

const ChineseAddress kChineseAddresses[] = {
    {"simplified characters around the markers", "中文?shareid=中文&uk=网盘分享", "中文", "网盘分享"},
    {"traditional characters", "https://pan.baidu.com/share/link?shareid=網盤&uk=繁體", "網盤", "繁體"},
    {"a second byte like a backslash in 950", "?shareid=功能&uk=12中3", "功能", "12中3"},
    {"full-width signs", "?shareid=１２３&uk=４５６，", "１２３", "４５６，"},
};

std::vector<std::wstring> ExpectedWideLinks(const std::wstring& shareId, const std::wstring& shareUk) {
    std::vector<std::wstring> links;
    for (const char* base : kLinkBases) links.push_back(Wide(base) + shareId + L"/" + shareUk + L".mp3");
    return links;
}

std::vector<std::wstring> WideLinkTexts(const Program& program) {
    std::vector<std::wstring> texts;
    for (int box : kLinkBoxes) texts.push_back(WindowTextWide(program.Control(box)));
    return texts;
}

bool GenerateGives(const Program& program, const std::vector<std::wstring>& links) {
    ClickButton(program.Control(k按钮1));
    return WaitUntil([&] { return WideLinkTexts(program) == links; });
}

TEST(Desktop, ChineseAddressSetAsUnicodeGivesTheSameLinks) {
    for (const ChineseAddress& c : kChineseAddresses) {
        SCOPED_TRACE(c.name);
        Program program;
        SetEditTextWide(program.Control(k编辑框1), Wide(c.address));
        EXPECT_TRUE(GenerateGives(program, ExpectedWideLinks(Wide(c.shareId), Wide(c.shareUk))));
    }
}

TEST(Desktop, ChineseAddressTypedKeyByKeyGivesTheSameLinks) {
    Program program;
    for (const ChineseAddress& c : kChineseAddresses) {
        SCOPED_TRACE(c.name);
        SetEditTextWide(program.Control(k编辑框1), L"");
        ASSERT_TRUE(FocusWithTab(program, k编辑框1)) << "focus on " << FocusedName(program);
        TypeUnicode(Wide(c.address));
        EXPECT_TRUE(WaitUntil([&] { return WindowTextWide(program.Control(k编辑框1)) == Wide(c.address); }))
            << "the box holds " << WindowTextWide(program.Control(k编辑框1)).size() << " characters";
        EXPECT_TRUE(GenerateGives(program, ExpectedWideLinks(Wide(c.shareId), Wide(c.shareUk))));
    }
}

TEST(Desktop, CharactersGbkCannotHoldBecomeWhatItsEncoderMakes) {
    Program program;
    // Korean syllables and an emoji are not in GBK.
    const std::wstring shareId = Wide("한글");
    const std::wstring shareUk = Wide("x😀y");
    SetEditTextWide(program.Control(k编辑框1), L"?shareid=" + shareId + L"&uk=" + shareUk);
    EXPECT_TRUE(GenerateGives(program, ExpectedWideLinks(ThroughGbk(shareId), ThroughGbk(shareUk))))
        << "编辑框2 holds " << WideLinkTexts(program)[0].size() << " characters";
}

// The copy confirmation reads right, and the copied link is right as
// CF_UNICODETEXT, whoever synthesises it.
TEST(Desktop, CopiedChineseLinkReadsRightAsUnicodeText) {
    Program program;
    const ChineseAddress& c = kChineseAddresses[1];
    SetEditTextWide(program.Control(k编辑框1), Wide(c.address));
    const std::vector<std::wstring> links = ExpectedWideLinks(Wide(c.shareId), Wide(c.shareUk));
    ASSERT_TRUE(GenerateGives(program, links));
    PutOnClipboard("earlier clipboard text");

    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        const int buttons[] = {k按钮3, k按钮4, k按钮5};
        ClickButton(program.Control(buttons[i]));
        const auto box = WaitForMessageBox(program.ProcessId());
        ASSERT_TRUE(box) << "no confirmation";
        EXPECT_EQ(WindowTextWide(box->window), L"OK");
        EXPECT_EQ(WindowTextWide(GetDlgItem(box->window, 0xFFFF)), Wide("复制成功，赶快去试试吧"));
        EXPECT_EQ(ClipboardUnicodeText(), std::optional<std::wstring>(links[i]));
        if (i == 0) {
            Sleep(200);
            SaveScreenshot(ScreenRectOf(box->window), "copy-confirmation");
        }
        DismissMessageBox(*box);
        ASSERT_TRUE(WaitUntil([&] { return !FindMessageBox(program.ProcessId()) && IsWindowEnabled(program.MainWindow()); }));
    }
}

// The fatal error box shows its message from a fixed buffer; it reads right too.
TEST(Desktop, FatalErrorBoxReadsRight) {
    std::string variant = ProgramPath();
    variant.replace(variant.size() - 4, 4, "_injectable.exe");
    const struct {
        const char* name;
        const char* switchName;
        const char* value;
        const char* before;  // UTF-8: the text begins with it ...
        const char* after;   // ... and ends with it
    } cases[] = {
        {"the main window refused", "CORVANEL_REFUSE_WINDOW", "CorvanelMainWindow", "无法创建主窗口。", ""},
        {"the first allocation failing", "CORVANEL_FAIL_ALLOCATION", "1", "内存不足，无法分配 ", " 字节。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEnvironmentVariableA(c.switchName, c.value);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const bool started = CreateProcessA(variant.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                            &startup, &process);
        SetEnvironmentVariableA(c.switchName, nullptr);
        ASSERT_TRUE(started);
        const auto box = WaitForMessageBox(process.dwProcessId);
        EXPECT_TRUE(box) << "no error box";
        if (box) {
            EXPECT_EQ(WindowTextWide(box->window), L"Corvanel");
            const std::wstring text = WindowTextWide(GetDlgItem(box->window, 0xFFFF));
            const std::wstring before = Wide(c.before);
            const std::wstring after = Wide(c.after);
            EXPECT_EQ(text.substr(0, before.size()), before);
            EXPECT_TRUE(text.size() >= before.size() + after.size() &&
                        text.compare(text.size() - after.size(), after.size(), after) == 0);
            DismissMessageBox(*box);
        }
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 5000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0xFFFFFFFF);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

TEST(Desktop, Screenshots) {
    if (DesktopName() == "zh-CN") GTEST_SKIP() << "the appearance tests take today's screenshots";
    Program program;
    program.BringToFront(program.MainWindow());
    SetEditTextWide(program.Control(k编辑框1), Wide("https://pan.baidu.com/share/link?shareid=网盘123&uk=987654321"));
    Sleep(300);
    const RECT window = ScreenRectOf(program.MainWindow());
    SaveScreenshot(window, "main-window");
    ASSERT_TRUE(GenerateGives(program, ExpectedWideLinks(Wide("网盘123"), Wide("987654321"))));
    Sleep(300);
    SaveScreenshot(window, "main-window-generated");
}

}  // namespace
}  // namespace e2e
