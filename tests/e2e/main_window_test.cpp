// The main window as a user's Windows sees it: frame, size, place, controls.
#include <gtest/gtest.h>

#include "program.h"
#include "window_checks.h"

namespace e2e {
namespace {

enum class Kind { Button, DefaultButton, Edit, ReadOnlyEdit };

struct ExpectedControl {
    const char* name;
    Kind kind;
    RECT bounds;  // x, y, width, height
    const char* text;
};

// The controls that are windows, in stacking order; the labels are painted by
// the window itself and are checked by their pixels.
const ExpectedControl kExpectedControls[] = {
    {"按钮6", Kind::DefaultButton, {312, 160, 40, 32}, "Vantrel"},
    {"按钮5", Kind::Button, {307, 117, 45, 27}, "复制"},
    {"按钮4", Kind::Button, {308, 86, 44, 24}, "复制"},
    {"按钮3", Kind::Button, {308, 48, 44, 32}, "复制"},
    {"编辑框4", Kind::ReadOnlyEdit, {80, 115, 224, 24}, ""},
    {"编辑框3", Kind::ReadOnlyEdit, {80, 81, 224, 24}, ""},
    {"按钮2", Kind::DefaultButton, {264, 160, 40, 32}, "使用帮助"},
    {"按钮1", Kind::Button, {104, 150, 144, 18}, "点击生成外链地址"},
    {"编辑框2", Kind::ReadOnlyEdit, {80, 48, 224, 24}, ""},
    {"编辑框1", Kind::Edit, {80, 16, 256, 24}, ""},
};

TEST(MainWindow, FrameSizeAndPlace) {
    Program program;
    HWND window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Corvanel");

    ExpectCentredAt(window, {364, 227});
    ExpectFixedFrame(window);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "it has a taskbar button";
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

// Icons and menus are handles of the program's own process; the harness sees
// the icon in the program file and on the screen.
TEST(MainWindow, ProgramFileCarriesA48By48Icon) {
    HMODULE file = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    auto icon = static_cast<HICON>(LoadImageA(file, MAKEINTRESOURCEA(1), IMAGE_ICON, 48, 48, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, 48);
    EXPECT_EQ(colour.bmHeight, 48);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    FreeLibrary(file);
}

TEST(MainWindow, ControlsInStackingOrderWithPlaceSizeStyleAndText) {
    Program program;
    const std::vector<HWND> children = ChildrenInStackingOrder(program.MainWindow());
    ASSERT_EQ(children.size(), std::size(kExpectedControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& expected = kExpectedControls[i];
        HWND control = children[i];
        SCOPED_TRACE(expected.name);
        const bool isEdit = expected.kind == Kind::Edit || expected.kind == Kind::ReadOnlyEdit;
        EXPECT_STRCASEEQ(ClassName(control).c_str(), isEdit ? "Edit" : "Button");

        const RECT r = ClientRectOf(control);
        EXPECT_EQ(r.left, expected.bounds.left);
        EXPECT_EQ(r.top, expected.bounds.top);
        EXPECT_EQ(r.right - r.left, expected.bounds.right);
        EXPECT_EQ(r.bottom - r.top, expected.bounds.bottom);
        EXPECT_EQ(WindowText(control), Gbk(expected.text));

        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_FALSE(style & WS_DISABLED);
        EXPECT_TRUE(style & WS_TABSTOP);
        if (isEdit) {
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
            EXPECT_EQ(bool(style & ES_READONLY), expected.kind == Kind::ReadOnlyEdit);
            EXPECT_FALSE(style & (ES_MULTILINE | ES_CENTER | ES_RIGHT | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL));
        } else {
            EXPECT_EQ(style & BS_TYPEMASK, expected.kind == Kind::DefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            EXPECT_EQ(style & BS_CENTER, BS_CENTER);
            EXPECT_EQ(style & BS_VCENTER, BS_VCENTER);
            EXPECT_TRUE(style & BS_MULTILINE);
        }
    }
}

}  // namespace
}  // namespace e2e
