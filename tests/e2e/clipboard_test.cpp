// The copy buttons: what lands on the clipboard, the confirmation that
// follows, and what happens when another program holds the clipboard.
#include <gtest/gtest.h>

#include "main_window_controls.h"
#include "program.h"

namespace e2e {
namespace {

using namespace main_window;

const char* const kCopiedText = "复制成功，赶快去试试吧";
const char* const kCopyFailedText = "复制失败：剪贴板可能正被其他程序占用，请稍后再试。";
const std::string kEarlierClipboard = "earlier clipboard text";

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Waits until a dismissed box is gone and the main window takes input again.
bool WaitForMainWindowBack(const Program& program) {
    return WaitUntil([&] { return !FindMessageBox(program.ProcessId()) && IsWindowEnabled(program.MainWindow()); });
}

struct CopyCase {
    const char* name;
    std::optional<const char*> generateFrom;  // UTF-8 address; none: copy before any generate
    int button;
    int box;
    const char* expected;  // UTF-8
};

const CopyCase kCopyCases[] = {
    {"按钮3 copies 编辑框2", "?shareid=123456789&uk=987654321", k按钮3, k编辑框2,
     "http://" CORVANEL_LINK_HOST_1 "/mp3.php/123456789/987654321.mp3"},
    {"按钮4 copies 编辑框3", "?shareid=123456789&uk=987654321", k按钮4, k编辑框3,
     "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/123456789/987654321.mp3"},
    {"按钮5 copies 编辑框4", "?shareid=123456789&uk=987654321", k按钮5, k编辑框4,
     "http://" CORVANEL_LINK_HOST_3 "/bdwp.php/123456789/987654321.mp3"},
    {"Chinese characters go over as GBK", "?shareid=中文&uk=网盘", k按钮4, k编辑框3,
     "http://" CORVANEL_LINK_HOST_2 "/bdwp.php/中文/网盘.mp3"},
    {"the empty-input message", "", k按钮5, k编辑框4, kEmptyInputMessage},
    {"before any generate: the empty text", std::nullopt, k按钮3, k编辑框2, ""},
};

TEST(Clipboard, CopyButtonPutsItsBoxTextOnTheClipboardAndConfirms) {
    for (const CopyCase& c : kCopyCases) {
        SCOPED_TRACE(c.name);
        Program program;
        if (c.generateFrom) {
            ASSERT_TRUE(GenerateIntoEmptyBoxes(program, Gbk(*c.generateFrom)));
        }
        const std::string expected = Gbk(c.expected);
        ASSERT_EQ(WindowText(program.Control(c.box)), expected);
        PutOnClipboard(kEarlierClipboard);

        ClickButton(program.Control(c.button));
        const auto box = WaitForMessageBox(program.ProcessId());
        ASSERT_TRUE(box) << "no confirmation";
        EXPECT_EQ(box->caption, "OK");
        EXPECT_EQ(box->text, Gbk(kCopiedText));
        EXPECT_EQ(box->buttonIds, std::vector<int>{IDOK});
        EXPECT_FALSE(box->hasIcon);
        EXPECT_EQ(ClipboardTextBlock(), std::optional<std::string>(expected + '\0'))
            << "CF_TEXT, byte for byte, with one zero byte after it";
        // Opened for the program's hidden owner window: after an open without
        // a window, Windows refuses SetClipboardData.
        HWND owner = program.FindTopLevel("CorvanelOwner");
        EXPECT_NE(owner, nullptr);
        EXPECT_EQ(GetClipboardOwner(), owner);

        DismissMessageBox(*box);
        EXPECT_TRUE(WaitForMainWindowBack(program));
        EXPECT_EQ(ClipboardText(), std::optional<std::string>(expected));
        EXPECT_FALSE(program.HasExited());
    }
}

// The confirmation is task-modal: the main window takes no mouse clicks until
// it is dismissed, and takes them again afterwards.
TEST(Clipboard, MainWindowIsDisabledWhileTheConfirmationIsUp) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
    SetEditText(program.Control(k编辑框1), "?shareid=3&uk=4");
    const POINT generateButton = CentreOf(program.Control(k按钮1));
    const std::string firstLink = std::string(kLinkBases[0]) + "1/2.mp3";
    const std::string secondLink = std::string(kLinkBases[0]) + "3/4.mp3";

    ClickButton(program.Control(k按钮3));
    const auto box = WaitForMessageBox(program.ProcessId());
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));
    // Out of the way of the click on 按钮1.
    SetWindowPos(box->window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] {
        RECT r{};
        GetWindowRect(box->window, &r);
        return !PtInRect(&r, generateButton);
    }));

    ClickAt(generateButton);
    Sleep(300);  // what the click could have started has had its time
    EXPECT_EQ(WindowText(program.Control(k编辑框2)), firstLink);
    EXPECT_TRUE(FindMessageBox(program.ProcessId())) << "the box stays until dismissed";

    DismissMessageBox(*box);
    ASSERT_TRUE(WaitForMainWindowBack(program));
    EXPECT_EQ(WindowText(program.Control(k编辑框2)), firstLink) << "the click was not kept for later";

    // The same click now reaches 按钮1.
    program.BringToFront(program.MainWindow());
    ClickAt(generateButton);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(program.Control(k编辑框2)) == secondLink; }));
}

// Copying by keyboard alone: once the confirmation is dismissed with Enter,
// the main window is active again with the focus where it was.
TEST(Clipboard, KeyboardUserCopiesAndCarriesOn) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
    ASSERT_TRUE(FocusWithTab(program, k按钮4)) << "focus on " << FocusedName(program);
    PressKey(VK_SPACE);
    const auto box = WaitForMessageBox(program.ProcessId());
    ASSERT_TRUE(box);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box->window; }));
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(std::string(kLinkBases[1]) + "1/2.mp3"));

    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForMainWindowBack(program));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program.MainWindow(); }))
        << "foreground: " << GetForegroundWindow();
    EXPECT_TRUE(WaitForFocus(program, k按钮4)) << "focus on " << FocusedName(program);
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitForFocus(program, k按钮5)) << "the keys reach the window again; focus on "
                                               << FocusedName(program);
}

// Holds the clipboard open, as another program may, until released. It opens
// it for a window of its own: Wine lets a second OpenClipboard(NULL) in while
// the clipboard is open without a window, whichever process holds it.
class ClipboardHolder {
public:
    ClipboardHolder()
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        held_ = window_ && WaitUntil([&] { return OpenClipboard(window_) != FALSE; }, 2000ms);
    }
    ~ClipboardHolder() {
        Release();
        if (window_) DestroyWindow(window_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Held() const { return held_; }
    void Release() {
        if (held_) CloseClipboard();
        held_ = false;
    }

private:
    HWND window_;
    bool held_ = false;
};

int YellowPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return CountScreenPixels(
        rect, [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 160 && GetBValue(c) < 100; });
}

TEST(Clipboard, HeldClipboardGivesAWarningAndKeepsItsContent) {
    Program program;
    ASSERT_TRUE(GenerateIntoEmptyBoxes(program, "?shareid=1&uk=2"));
    PutOnClipboard(kEarlierClipboard);

    ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    ClickButton(program.Control(k按钮3));
    // The program tries for a while before it gives up.
    const auto box = WaitForMessageBox(program.ProcessId());
    holder.Release();
    ASSERT_TRUE(box) << "no box";
    EXPECT_EQ(box->caption, "Corvanel");
    EXPECT_EQ(box->text, Gbk(kCopyFailedText));
    EXPECT_EQ(box->buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(box->hasIcon);
    EXPECT_FALSE(IsWindowEnabled(program.MainWindow()));
    // The warning sign is the yellow one.
    EXPECT_TRUE(WaitUntil([&] { return YellowPixels(box->window) > 50; }, 2000ms)) << YellowPixels(box->window);
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(kEarlierClipboard));

    DismissMessageBox(*box);
    ASSERT_TRUE(WaitForMainWindowBack(program));
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(kEarlierClipboard));

    // Once the clipboard is free the same button copies.
    ClickButton(program.Control(k按钮3));
    const auto confirmation = WaitForMessageBox(program.ProcessId());
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(confirmation->text, Gbk(kCopiedText));
    EXPECT_EQ(YellowPixels(confirmation->window), 0) << "the confirmation has no sign";
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(std::string(kLinkBases[0]) + "1/2.mp3"));
    DismissMessageBox(*confirmation);
    EXPECT_TRUE(WaitForMainWindowBack(program));
}

}  // namespace
}  // namespace e2e
