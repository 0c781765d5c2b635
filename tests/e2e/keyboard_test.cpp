// The main window's keyboard: real key presses on the focused window, the
// focus walk, Enter and Esc, read-only link boxes, and the ways to close.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <functional>

#include "main_window_controls.h"
#include "program.h"

namespace e2e {
namespace {

using namespace main_window;

// Keys are handled in the order they come: once a Tab after them has moved
// the focus on, the keys before it have been handled too.
void WaitUntilKeysHandled(const Program& program) {
    const int from = FocusedIndex(program);
    ASSERT_GE(from, 0);
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitForFocus(program, kTabOrder[(TabPosition(from) + 1) % kTabStops]))
        << "focus on " << FocusedName(program);
}

std::vector<HWND> VisibleTopLevelWindows(const Program& program) {
    std::vector<HWND> visible;
    for (HWND window : program.TopLevelWindows())
        if (IsWindowVisible(window)) visible.push_back(window);
    return visible;
}

bool IsDefaultStyle(HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

// 按钮2 and 按钮6 keep the heavier frame, the other buttons never get it.
void ExpectDefaultStylesUnchanged(const Program& program) {
    for (int button : {k按钮6, k按钮2})
        EXPECT_TRUE(IsDefaultStyle(program.Control(button))) << kControlNames[button];
    for (int button : {k按钮1, k按钮3, k按钮4, k按钮5})
        EXPECT_FALSE(IsDefaultStyle(program.Control(button))) << kControlNames[button];
}

TEST(Keyboard, TabWalksTheTabOrderAndWraps) {
    Program program;
    // The program puts the focus into the window, which hands it on to its first control.
    ASSERT_TRUE(WaitForFocus(program, k编辑框1)) << "the focus starts in the address box, not on "
                                                 << FocusedName(program);
    program.BringToFront(program.MainWindow());
    for (int step = 1; step <= kTabStops; ++step) {
        const int expected = kTabOrder[step % kTabStops];
        PressKey(VK_TAB);
        ASSERT_TRUE(WaitForFocus(program, expected))
            << "Tab " << step << ": wanted " << kControlNames[expected] << ", focus on " << FocusedName(program);
        ExpectDefaultStylesUnchanged(program);
    }
}

TEST(Keyboard, ShiftTabWalksBackAndWraps) {
    Program program;
    program.BringToFront(program.MainWindow());
    for (int step = 1; step <= kTabStops; ++step) {
        const int expected = kTabOrder[(kTabStops - step) % kTabStops];  // 按钮6 first
        PressKey(VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(WaitForFocus(program, expected)) << "Shift+Tab " << step << ": wanted "
                                                     << kControlNames[expected] << ", focus on "
                                                     << FocusedName(program);
        ExpectDefaultStylesUnchanged(program);
    }
}

// The default-style frame does not follow the focus or the clicks.
TEST(Keyboard, DefaultStyleStaysAfterClicksAndCopies) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
    ExpectDefaultStylesUnchanged(program);
    ClickButton(program.Control(k按钮4));
    const auto box = WaitForMessageBox(program.ProcessId());
    ASSERT_TRUE(box);
    ExpectDefaultStylesUnchanged(program);
    DismissMessageBox(*box);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(program.MainWindow()); }));
    ExpectDefaultStylesUnchanged(program);
}

struct EnterCase {
    const char* where;
    int focus;  // stacking index of the focused control
};

// Enter clicks the focused default-style button, and else the first one of
// the window, 按钮6: so everywhere but on 按钮2 it opens the forum page.
TEST(Keyboard, EnterOutsideTheHelpButtonOpensTheForumPage) {
    if (!RecordedWebAddresses()) GTEST_SKIP() << "the run records no opened web addresses (CORVANEL_XDG_OPEN_LOG)";
    const EnterCase cases[] = {
        {"编辑框1 with an address", k编辑框1}, {"read-only 编辑框2", k编辑框2}, {"按钮1", k按钮1},
        {"按钮3", k按钮3},                     {"按钮5", k按钮5},               {"按钮6", k按钮6},
    };
    const std::string address = "https://pan.baidu.com/share/link?shareid=1&uk=2";
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.where);
        Program program;
        SetEditText(program.Control(k编辑框1), address);
        ASSERT_TRUE(FocusWithTab(program, c.focus)) << "focus on " << FocusedName(program);
        const std::size_t before = RecordedWebAddresses()->size();

        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return RecordedWebAddresses()->size() > before; }, 15000ms))
            << "the forum page was not opened";
        // A second click would come right after the first.
        Sleep(500);
        const std::vector<std::string> opened = *RecordedWebAddresses();
        EXPECT_EQ(std::vector<std::string>(opened.begin() + static_cast<std::ptrdiff_t>(before), opened.end()),
                  std::vector<std::string>{kForumPage});

        EXPECT_FALSE(FindMessageBox(program.ProcessId())) << "no copy confirmation";
        EXPECT_EQ(LinkTexts(program), std::vector<std::string>(3, "")) << "nothing generated";
        EXPECT_EQ(WindowText(program.Control(k编辑框1)), address);
        EXPECT_EQ(FocusedIndex(program), c.focus) << "Enter does not move the focus";
        EXPECT_TRUE(IsWindowEnabled(program.MainWindow()));
        EXPECT_FALSE(program.HasExited());
    }
}

// Space clicks the focused button itself, whichever style it has.
TEST(Keyboard, SpaceClicksTheFocusedButton) {
    {
        SCOPED_TRACE("按钮1 generates");
        Program program;
        SetEditText(program.Control(k编辑框1), "?shareid=5&uk=6");
        ASSERT_TRUE(FocusWithTab(program, k按钮1)) << "focus on " << FocusedName(program);
        PressKey(VK_SPACE);
        const std::string link = std::string(kLinkBases[2]) + "5/6.mp3";
        EXPECT_TRUE(WaitUntil([&] { return WindowText(program.Control(k编辑框4)) == link; }));
    }
    {
        SCOPED_TRACE("按钮4 copies");
        Program program;
        ASSERT_TRUE(FocusWithTab(program, k按钮4)) << "focus on " << FocusedName(program);
        PressKey(VK_SPACE);
        const auto box = WaitForMessageBox(program.ProcessId());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, Gbk("复制成功，赶快去试试吧"));
        DismissMessageBox(*box);
    }
}

struct CloseCase {
    const char* how;
    bool generateFirst;
    std::function<void(const Program&)> close;
};

void PressEscOn(const Program& program, int control) {
    ASSERT_TRUE(FocusWithTab(program, control)) << "focus on " << FocusedName(program);
    PressKey(VK_ESCAPE);
}

// The middle of the close box, as the window's own hit test finds it in the
// top right corner of its frame.
std::optional<POINT> CloseBoxPoint(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT found{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (LONG y = outer.top; y < outer.top + 40; ++y)
        for (LONG x = outer.right - 60; x < outer.right; ++x)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                found = {std::min(found.left, x), std::min(found.top, y), std::max(found.right, x),
                         std::max(found.bottom, y)};
            }
    if (found.left > found.right) return std::nullopt;
    const POINT middle{(found.left + found.right) / 2, (found.top + found.bottom) / 2};
    if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)) != HTCLOSE) return std::nullopt;
    return middle;
}

TEST(Keyboard, EscAltF4AndTheCloseBoxEndTheProgramWithExitCode0) {
    const CloseCase cases[] = {
        {"Esc in 编辑框1", false, [](const Program& p) { PressEscOn(p, k编辑框1); }},
        {"Esc in 编辑框2 after generating", true, [](const Program& p) { PressEscOn(p, k编辑框2); }},
        {"Esc on 按钮1", false, [](const Program& p) { PressEscOn(p, k按钮1); }},
        {"Esc on 按钮2", false, [](const Program& p) { PressEscOn(p, k按钮2); }},
        {"Esc on 按钮4 after generating", true, [](const Program& p) { PressEscOn(p, k按钮4); }},
        {"Esc on 按钮6", false, [](const Program& p) { PressEscOn(p, k按钮6); }},
        {"Alt+F4 after generating", true,
         [](const Program& p) {
             p.BringToFront(p.MainWindow());
             PressKey(VK_F4, {VK_MENU});
         }},
        {"WM_CLOSE", false, [](const Program& p) { PostMessageA(p.MainWindow(), WM_CLOSE, 0, 0); }},
        {"Close of the system menu", true,
         [](const Program& p) { PostMessageA(p.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"mouse click on the close box", false,
         [](const Program& p) {
             const auto point = CloseBoxPoint(p.MainWindow());
             ASSERT_TRUE(point) << "no close box found";
             p.BringToFront(p.MainWindow());
             ClickAt(*point);
         }},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.how);
        Program program;
        if (c.generateFirst) {
            ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
        }
        c.close(program);
        EXPECT_EQ(program.ExitCode(5000ms), std::optional<DWORD>(0));
        EXPECT_FALSE(IsWindow(program.MainWindow()));
    }
}

// Esc with Shift is not the window's key and closes nothing.
TEST(Keyboard, ShiftEscKeepsTheProgramRunning) {
    Program program;
    program.BringToFront(program.MainWindow());
    PressKey(VK_ESCAPE, {VK_SHIFT});
    ASSERT_NO_FATAL_FAILURE(WaitUntilKeysHandled(program));
    EXPECT_FALSE(program.HasExited(300ms));
}

struct TypingCase {
    int box;
    bool editable;
};

// End, "xyz", Ctrl+V, BackSpace, Home and Delete in each box: only 编辑框1 changes.
TEST(Keyboard, TypingAndPastingChangeOnlyTheAddressBox) {
    const TypingCase cases[] = {{k编辑框1, true}, {k编辑框2, false}, {k编辑框3, false}, {k编辑框4, false}};
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(kControlNames[c.box]);
        Program program;
        ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
        PutOnClipboard("PASTED");
        const std::string before = WindowText(program.Control(c.box));
        const std::vector<std::string> linksBefore = LinkTexts(program);
        ASSERT_TRUE(FocusWithTab(program, c.box)) << "focus on " << FocusedName(program);

        PressKey(VK_END);
        TypeText("xyz");
        PressKey('V', {VK_CONTROL});
        PressKey(VK_BACK);
        PressKey(VK_HOME);
        PressKey(VK_DELETE);
        ASSERT_NO_FATAL_FAILURE(WaitUntilKeysHandled(program));

        const std::string after = WindowText(program.Control(c.box));
        if (c.editable) {
            EXPECT_EQ(after, before.substr(1) + "xyzPASTE");
            EXPECT_EQ(LinkTexts(program), linksBefore) << "edits trigger nothing";
        } else {
            EXPECT_EQ(after, before);
            EXPECT_EQ(LinkTexts(program), linksBefore);
        }
    }
}

// A read-only box takes the focus, lets the user select its text and copy it with Ctrl+C.
TEST(Keyboard, ReadOnlyBoxTakesFocusSelectionAndCtrlC) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=123&uk=456"));
    const std::string link = WindowText(program.Control(k编辑框3));
    PutOnClipboard("before");
    ASSERT_TRUE(FocusWithTab(program, k编辑框3)) << "focus on " << FocusedName(program);

    PressKey(VK_HOME);
    PressKey(VK_END, {VK_SHIFT});
    const HWND box = program.Control(k编辑框3);
    const auto length = static_cast<int>(link.size());
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(box, EM_GETSEL, 0, 0) == MAKELONG(0, length); }, 2000ms))
        << "selection " << LOWORD(SendMessageA(box, EM_GETSEL, 0, 0)) << ".."
        << HIWORD(SendMessageA(box, EM_GETSEL, 0, 0));

    PressKey('C', {VK_CONTROL});
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == link; }, 2000ms)) << ClipboardText().value_or("(none)");
    EXPECT_FALSE(FindMessageBox(program.ProcessId())) << "the box's own copy shows no confirmation";
    EXPECT_EQ(WindowText(box), link);
}

// F1 is no key of the window: no help window, nothing changed.
TEST(Keyboard, F1DoesNothing) {
    for (int focus : {k编辑框1, k按钮2, k按钮6}) {
        SCOPED_TRACE(kControlNames[focus]);
        Program program;
        SetEditText(program.Control(k编辑框1), "?shareid=1&uk=2");
        const std::vector<HWND> windowsBefore = VisibleTopLevelWindows(program);
        ASSERT_TRUE(FocusWithTab(program, focus)) << "focus on " << FocusedName(program);

        PressKey(VK_F1);
        ASSERT_NO_FATAL_FAILURE(WaitUntilKeysHandled(program));

        EXPECT_EQ(VisibleTopLevelWindows(program), windowsBefore);
        EXPECT_EQ(WindowText(program.Control(k编辑框1)), "?shareid=1&uk=2");
        EXPECT_EQ(LinkTexts(program), std::vector<std::string>(3, ""));
        EXPECT_TRUE(IsWindowEnabled(program.MainWindow()));
    }
}

}  // namespace
}  // namespace e2e
