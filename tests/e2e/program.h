// Drives the real corvanel.exe from a separate process, through Windows only:
// it finds the program's windows, reads them and sends them input the way a
// user's actions arrive.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// UTF-8 (how the tests spell texts) to GBK, the program's code page, by the
// system's own encoder; and back.
std::string Gbk(const std::string& utf8);
std::string Utf8(const std::string& gbk);

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5000ms);

std::string WindowText(HWND window);  // WM_GETTEXT: works across processes
std::string ClassName(HWND window);
RECT ClientRectOf(HWND child);        // a child's rectangle in its parent's client area
std::vector<HWND> ChildrenInStackingOrder(HWND parent);
HWND FocusOfThread(DWORD thread);

// Keys as a user presses them, delivered to the foreground window.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// The same without the pause after it, for callers that wait for the effect.
void SendKeyStroke(WORD key, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::string& ascii);
void ClickAt(POINT screenPoint);
void SendClick(POINT screenPoint);  // without the pause after it

// The colour of a screen pixel, read from the screen itself.
COLORREF ScreenPixel(int x, int y);
// Counts the pixels of a screen rectangle that satisfy the predicate.
int CountScreenPixels(const RECT& screenRect, const std::function<bool(COLORREF)>& predicate);
// Saves a screen rectangle as a PNG file under the screenshots folder; returns its path.
std::string SaveScreenshot(const RECT& screenRect, const std::string& name);

// A message box of a process: its caption, text and buttons.
struct MessageBoxSeen {
    HWND window;
    std::string caption;
    std::string text;
    std::vector<int> buttonIds;
    bool hasIcon;
};
std::optional<MessageBoxSeen> FindMessageBox(DWORD process);
void DismissMessageBox(const MessageBoxSeen& box);

// CF_TEXT bytes on the clipboard, or nothing when there is no such format.
std::optional<std::string> ClipboardText();
void PutOnClipboard(const std::string& bytes);

// corvanel.exe beside the test program.
std::string ProgramPath();

class Program {
public:
    // Starts corvanel.exe (or the given executable) and, unless told not to,
    // waits until its main window is shown and has the focus.
    explicit Program(const std::string& executable = "", bool waitForMainWindow = true);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD ProcessId() const { return process_.dwProcessId; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    HWND MainWindow() const { return mainWindow_; }
    // True once the main window is shown with the focus in it; remembers it.
    bool MainWindowReady();
    // The main window's controls by their place in the control order (0-based).
    HWND Control(int index) const;

    // Top-level windows of the process, visible or not.
    std::vector<HWND> TopLevelWindows() const;
    HWND FindTopLevel(const std::string& className) const;

    void BringToFront(HWND window) const;
    HWND Focus() const { return FocusOfThread(ThreadId()); }

    bool HasExited(std::chrono::milliseconds wait = 0ms) const;
    // The exit code once the process has ended; nothing if it runs on after `wait`.
    std::optional<DWORD> ExitCode(std::chrono::milliseconds wait = 5000ms) const;

private:
    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
};

// Clicks a button the way the mouse does, without waiting for its action.
void ClickButton(HWND button);
void SetEditText(HWND edit, const std::string& gbk);

// The whole CF_TEXT memory block on the clipboard, its terminating zero byte
// included (as many bytes as the block holds), or nothing when there is no such format.
std::optional<std::string> ClipboardTextBlock();

// Texts through the wide functions, which read the same on every desktop
// whatever its ANSI code page.
std::wstring Wide(const std::string& utf8);
std::wstring WindowTextWide(HWND window);  // WM_GETTEXT, wide
void SetEditTextWide(HWND edit, const std::wstring& text);
// Types each character as a Unicode key event (KEYEVENTF_UNICODE), the way an
// input method delivers Chinese characters.
void TypeUnicode(const std::wstring& text);
// CF_UNICODETEXT on the clipboard, or nothing when there is no such format.
std::optional<std::wstring> ClipboardUnicodeText();

// The display's DPI, as the desktop is set up.
int DesktopDpi();

// Waits for a message box of the process to appear.
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD process, std::chrono::milliseconds timeout = 5000ms);

// The web addresses that the shell has handed to the desktop's opener so far,
// in order, as the test run's recording xdg-open logs them (the Unix file named
// by CORVANEL_XDG_OPEN_LOG, read through Wine's Z: drive). Nothing when the run
// records none.
std::optional<std::vector<std::string>> RecordedWebAddresses();

}  // namespace e2e
