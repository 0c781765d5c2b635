// Colours as they reach the screen, and screenshots of the main window for
// people to look at.
#include <gtest/gtest.h>

#include "program.h"

namespace e2e {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr int k按钮1 = 7;
constexpr int k编辑框1 = 9;
constexpr int k编辑框2 = 8;
constexpr int k编辑框3 = 5;
constexpr int k编辑框4 = 4;

RECT ScreenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A rectangle of the main window's client area, in screen coordinates.
RECT ClientArea(HWND window, int x, int y, int width, int height) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return RECT{origin.x + x, origin.y + y, origin.x + x + width, origin.y + y + height};
}

// The inside of a box, within its sunken border.
RECT InsideOf(HWND box) {
    RECT r = ScreenRectOf(box);
    InflateRect(&r, -3, -3);
    return r;
}

int Count(const RECT& r, COLORREF colour) {
    return CountScreenPixels(r, [&](COLORREF c) { return c == colour; });
}

// Text drawn in a colour leaves pixels of exactly that colour, whatever the
// smoothing does at the glyphs' edges.
constexpr int kTextPixels = 20;

TEST(Appearance, LabelsAreBlueAndMagentaOnButtonFace) {
    Program program;
    HWND window = program.MainWindow();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const struct {
        const char* label;
        RECT bounds;
        COLORREF colour;
        COLORREF notColour;
    } labels[] = {
        {"标签1", ClientArea(window, 4, 24, 74, 16), kBlue, kMagenta},
        {"标签2", ClientArea(window, 4, 56, 73, 16), kMagenta, kBlue},
        {"标签3", ClientArea(window, 4, 88, 73, 16), kMagenta, kBlue},
        {"标签4", ClientArea(window, 3, 120, 73, 16), kMagenta, kBlue},
    };
    ASSERT_TRUE(WaitUntil([&] { return Count(labels[0].bounds, kBlue) > kTextPixels; }));
    for (const auto& label : labels) {
        SCOPED_TRACE(label.label);
        EXPECT_GT(Count(label.bounds, label.colour), kTextPixels);
        EXPECT_EQ(Count(label.bounds, label.notColour), 0);
        EXPECT_GT(Count(label.bounds, face), 73 * 16 / 2) << "the label's background is button face";
    }
    // The window's own background, between the rows, is button face too.
    EXPECT_EQ(Count(ClientArea(window, 80, 41, 200, 6), face), 200 * 6);
}

TEST(Appearance, InputIsBlueAndLinksMagentaOnWhite) {
    Program program;
    SetEditText(program.Control(k编辑框1), "?shareid=888888888&uk=888888888");
    ClickButton(program.Control(k按钮1));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(program.Control(k编辑框4)) != ""; }));
    const struct {
        const char* box;
        int index;
        COLORREF colour;
        COLORREF notColour;
    } boxes[] = {
        {"编辑框1", k编辑框1, kBlue, kMagenta},
        {"编辑框2", k编辑框2, kMagenta, kBlue},
        {"编辑框3", k编辑框3, kMagenta, kBlue},
        {"编辑框4", k编辑框4, kMagenta, kBlue},
    };
    ASSERT_TRUE(WaitUntil([&] { return Count(InsideOf(program.Control(k编辑框4)), kMagenta) > kTextPixels; }));
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.box);
        const RECT inside = InsideOf(program.Control(box.index));
        EXPECT_GT(Count(inside, box.colour), kTextPixels);
        EXPECT_EQ(Count(inside, box.notColour), 0);
        const int area = (inside.right - inside.left) * (inside.bottom - inside.top);
        EXPECT_GT(Count(inside, kWhite), area / 2) << "the background is white";
    }
}

TEST(Appearance, ScreenshotsBeforeAndAfterGenerating) {
    Program program;
    program.BringToFront(program.MainWindow());
    Sleep(300);
    const RECT window = ScreenRectOf(program.MainWindow());
    const std::string before = SaveScreenshot(window, "main-window");
    SetEditText(program.Control(k编辑框1), "https://pan.baidu.com/share/link?shareid=123456789&uk=987654321");
    ClickButton(program.Control(k按钮1));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(program.Control(k编辑框4)) != ""; }));
    Sleep(300);
    const std::string after = SaveScreenshot(window, "main-window-generated");
    for (const std::string& path : {before, after}) {
        SCOPED_TRACE(path);
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

}  // namespace
}  // namespace e2e
