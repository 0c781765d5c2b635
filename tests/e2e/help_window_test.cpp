// The help window: shown modally from 使用帮助, owned by a hidden tool window,
// keeping the main window disabled until it is closed.
#include <gtest/gtest.h>

#include "program.h"
#include "window_checks.h"

namespace e2e {
namespace {

constexpr int k按钮1 = 7;
constexpr int k按钮2 = 6;
constexpr int k编辑框1 = 9;
constexpr int k编辑框2 = 8;

class HelpWindow : public ::testing::Test {
protected:
    HWND Help() const { return program_.FindTopLevel("CorvanelHelpWindow"); }

    HWND OpenByClick() {
        ClickButton(program_.Control(k按钮2));
        return WaitForHelp();
    }

    HWND WaitForHelp() {
        HWND help = nullptr;
        WaitUntil([&] { return (help = Help()) && IsWindowVisible(help) && GetForegroundWindow() == help; });
        return help;
    }

    // Closed and gone, the main window enabled and active again.
    void ExpectClosedAndMainWindowBack() {
        EXPECT_TRUE(WaitUntil([&] { return Help() == nullptr; })) << "the help window stays open";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(program_.MainWindow()) != FALSE; }));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program_.MainWindow(); }))
            << "the main window is not active again";
        EXPECT_TRUE(WaitUntil([&] { return GetParent(program_.Focus()) == program_.MainWindow(); }))
            << "no control of the main window has the focus";
    }

    Program program_;
};

TEST_F(HelpWindow, IsCentredFixedCaptionlessAndOwnedByAHiddenToolWindow) {
    HWND help = OpenByClick();
    ASSERT_NE(help, nullptr);
    SaveScreenshot([&] { RECT r; GetWindowRect(help, &r); return r; }(), "help-window");

    ExpectCentredAt(help, {380, 250});
    EXPECT_EQ(WindowText(help), "");
    ExpectFixedFrame(help);
    EXPECT_EQ(GetWindow(help, GW_CHILD), nullptr) << "its label is painted, not a window";

    HWND owner = GetWindow(help, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(owner, program_.MainWindow());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(program_.MainWindow(), GW_OWNER), nullptr);

    EXPECT_FALSE(IsWindowEnabled(program_.MainWindow()));
}

TEST_F(HelpWindow, ShowsItsTextInRedOnButtonFace) {
    HWND help = OpenByClick();
    ASSERT_NE(help, nullptr);
    POINT origin{0, 0};
    ClientToScreen(help, &origin);
    // The label's rectangle: 24, 0, 336 x 192.
    const RECT label{origin.x + 24, origin.y, origin.x + 24 + 336, origin.y + 192};
    ASSERT_TRUE(WaitUntil([&] {
        return CountScreenPixels(label, [](COLORREF c) { return c == RGB(255, 0, 0); }) > 200;
    })) << "no red text in the label";
    // The text starts two empty lines below the label's top edge.
    const RECT topLines{label.left, label.top, label.right, label.top + 20};
    EXPECT_EQ(CountScreenPixels(topLines, [](COLORREF c) { return GetRValue(c) > 128 && GetGValue(c) < 100; }), 0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(CountScreenPixels(label, [&](COLORREF c) { return c == face; }), 336 * 192 / 2);
    // Nothing red beside the label.
    const RECT left{origin.x, origin.y, origin.x + 24, origin.y + 192};
    EXPECT_EQ(CountScreenPixels(left, [](COLORREF c) { return c == RGB(255, 0, 0); }), 0);
}

// The main window takes no clicks and no keys while the help window is up.
TEST_F(HelpWindow, MainWindowIsDeafWhileItIsOpen) {
    SetEditText(program_.Control(k编辑框1), "?shareid=1&uk=2");
    HWND help = OpenByClick();
    ASSERT_NE(help, nullptr);

    RECT generate{};
    GetWindowRect(program_.Control(k按钮1), &generate);
    const POINT onGenerate{(generate.left + generate.right) / 2, (generate.top + generate.bottom) / 2};
    ClickAt(onGenerate);
    Sleep(300);
    EXPECT_EQ(WindowText(program_.Control(k编辑框2)), "");
    EXPECT_NE(Help(), nullptr);

    // Enter and Tab in the help window do nothing; it keeps the keyboard.
    for (WORD key : {VK_RETURN, VK_TAB}) {
        PressKey(key);
        EXPECT_EQ(Help(), help);
        EXPECT_EQ(GetForegroundWindow(), help);
        EXPECT_EQ(program_.Focus(), help);
    }
    EXPECT_EQ(WindowText(program_.Control(k编辑框2)), "");
    for (HWND window : program_.TopLevelWindows()) {
        if (IsWindowVisible(window)) {
            EXPECT_TRUE(window == help || window == program_.MainWindow()) << ClassName(window);
        }
    }
    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();

    // The same click reaches the main window once the help window is gone.
    ClickAt(onGenerate);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(program_.Control(k编辑框2)) != ""; }));
}

TEST_F(HelpWindow, EachWayOfClosingGivesTheMainWindowBack) {
    const struct {
        const char* way;
        void (*close)(HWND help);
    } ways[] = {
        {"Esc", [](HWND) { PressKey(VK_ESCAPE); }},
        {"Alt+F4", [](HWND) { PressKey(VK_F4, {VK_MENU}); }},
        {"close box", [](HWND help) {
             RECT r{};
             GetWindowRect(help, &r);
             const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
             const int button = GetSystemMetrics(SM_CXSIZE);
             ClickAt({r.right - frame - button / 2, r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2});
         }},
        {"system menu Close", [](HWND help) { PostMessageA(help, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        HWND help = OpenByClick();
        ASSERT_NE(help, nullptr);
        way.close(help);
        ExpectClosedAndMainWindowBack();
        EXPECT_FALSE(program_.HasExited()) << "closing the help window ends nothing";
    }
}

TEST_F(HelpWindow, EnterOnTheHelpButtonOpensItAndTheFocusComesBackThere) {
    program_.BringToFront(program_.MainWindow());
    // Tab order from 编辑框1: 编辑框2, 按钮1, 按钮2.
    for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
    ASSERT_EQ(program_.Focus(), program_.Control(k按钮2));
    PressKey(VK_RETURN);
    HWND help = WaitForHelp();
    ASSERT_NE(help, nullptr);
    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();
    EXPECT_EQ(program_.Focus(), program_.Control(k按钮2));
}

TEST_F(HelpWindow, OpensAgainAtTheCentreAfterBeingMoved) {
    HWND first = OpenByClick();
    ASSERT_NE(first, nullptr);
    SetWindowPos(first, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();

    HWND second = OpenByClick();
    ASSERT_NE(second, nullptr);
    ExpectCentredAt(second, {380, 250});
    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();
}

// Keys posted to a control of the disabled main window are still retrieved by
// the program's own loop while the help window is up; there they must do
// nothing: Enter would open the forum page, Esc would close the main window.
TEST_F(HelpWindow, KeysPostedToTheDisabledMainWindowDoNothing) {
    if (!RecordedWebAddresses()) GTEST_SKIP() << "the run records no opened web addresses (CORVANEL_XDG_OPEN_LOG)";
    const std::size_t before = RecordedWebAddresses()->size();
    HWND help = OpenByClick();
    ASSERT_NE(help, nullptr);
    for (HWND target : {program_.Control(k编辑框1), program_.MainWindow()}) {
        for (WORD key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageA(target, WM_KEYDOWN, key, 0x00000001);
            PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        }
    }
    Sleep(500);
    EXPECT_EQ(Help(), help) << "the help window was closed";
    EXPECT_TRUE(IsWindow(program_.MainWindow())) << "the main window was closed";
    EXPECT_FALSE(IsWindowEnabled(program_.MainWindow()));

    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();
    EXPECT_FALSE(program_.HasExited());

    // A real Enter now opens the forum page once; a posted Enter that had
    // opened it too would show as a second address. The focus is moved off
    // the help button first, where Enter would open the help window again.
    program_.BringToFront(program_.MainWindow());
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return GetParent(program_.Focus()) == program_.MainWindow() &&
                                       program_.Focus() != program_.Control(k按钮2); }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return RecordedWebAddresses()->size() > before; }, 15000ms))
        << "the forum page was not opened";
    Sleep(1500);
    EXPECT_EQ(RecordedWebAddresses()->size(), before + 1);
}

TEST_F(HelpWindow, ClosingTheMainWindowAfterwardsEndsTheProgramWithZero) {
    ASSERT_NE(OpenByClick(), nullptr);
    PressKey(VK_ESCAPE);
    ExpectClosedAndMainWindowBack();
    PostMessageA(program_.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program_.ExitCode(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace e2e
