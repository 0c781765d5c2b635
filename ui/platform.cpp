#include "platform.h"

#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "described_window.h"
#include "open_windows.h"
#include "wide_text.h"

namespace corvanel {
namespace {

HWND ownerWindow = nullptr;

constexpr const wchar_t* kOwnerWindowClass = L"CorvanelOwner";

#ifdef CORVANEL_FAILURE_INJECTION
ClipboardStep failingClipboardStep = ClipboardStep::None;
bool Fails(ClipboardStep step) { return failingClipboardStep == step; }
#else
constexpr bool Fails(ClipboardStep) { return false; }
#endif

// Another program, or the system's clipboard manager, may hold the clipboard
// for a moment: try for about a tenth of a second before calling it busy. It
// is opened for a window: after an open without one, EmptyClipboard leaves the
// clipboard without owner and SetClipboardData fails.
bool OpenClipboardWithRetry() {
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (OpenClipboard(ownerWindow)) return true;
        Sleep(10);
    }
    return false;
}

// On a desktop whose ANSI code page is GBK the link goes on the clipboard as
// CF_TEXT, exactly as the program has always put it there. Elsewhere CF_TEXT
// would be read in another code page, so it goes as CF_UNICODETEXT, from
// which Windows makes CF_TEXT for the programs that ask for it.
bool DesktopCodePageIsGbk() { return GetACP() == kGbkCodePage; }

UINT ClipboardFormat() { return DesktopCodePageIsGbk() ? CF_TEXT : CF_UNICODETEXT; }

// Global memory of `bytes` zero bytes, filled by `fill` while it is locked.
template <typename Fill>
HGLOBAL FilledGlobalMemory(std::size_t bytes, Fill fill) {
    HGLOBAL memory = Fails(ClipboardStep::GlobalAlloc) ? nullptr : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) return nullptr;
    void* target = Fails(ClipboardStep::GlobalLock) ? nullptr : GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    fill(target);
    GlobalUnlock(memory);
    return memory;
}

// The text in the clipboard format, with its terminating zero.
HGLOBAL CopyToGlobalMemory(const Text& text) {
    const std::string_view bytes = text.Bytes();
    if (DesktopCodePageIsGbk())
        return FilledGlobalMemory(bytes.size() + 1, [&](void* target) {
            std::memcpy(target, bytes.data(), bytes.size());  // the zero byte after it is already there
        });
    const std::size_t units = WideLengthOfGbk(bytes) + 1;
    return FilledGlobalMemory(units * sizeof(wchar_t), [&](void* target) {
        WideFromGbkInto(bytes, std::span<wchar_t>(static_cast<wchar_t*>(target), units));
    });
}

std::vector<std::pair<HWND, bool>> DisableOtherWindows(HWND shown) {
    std::vector<std::pair<HWND, bool>> disabled;
    for (HWND window : OpenWindows()) {
        if (window == shown || GetParent(window)) continue;
        disabled.emplace_back(window, IsWindowEnabled(window) != FALSE);
        EnableWindow(window, FALSE);
    }
    return disabled;
}

void RunModalLoop(HWND window) {
    int exitCode = 0;
    while (IsOpenWindow(window)) {
        if (!HandleNextMessage(exitCode)) {
            // The quit message belongs to the main loop: leave it in the queue.
            PostQuitMessage(exitCode);
            return;
        }
    }
}

}  // namespace

// Read as UTF-16, which holds whatever the user typed or pasted on any desktop.
Text ReadBoxContent(HWND window, ControlName box) {
    DescribedWindow* described = DescribedWindow::FromHandle(window);
    HWND control = described ? described->Control(box) : nullptr;
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return Text();
    std::vector<wchar_t, TextAllocator<wchar_t>> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(control, buffer.data(), length + 1);
    return GbkFromWide(std::wstring_view(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0));
}

void WriteBoxContent(HWND window, ControlName box, const Text& text) {
    if (DescribedWindow* described = DescribedWindow::FromHandle(window))
        SetWindowTextW(described->Control(box), WideText(text).CString());
}

// The memory is obtained and filled before the clipboard is touched, so a
// shortage never wipes what the user had on it.
ClipboardResult SetClipboardText(const Text& text) {
    HGLOBAL memory = CopyToGlobalMemory(text);
    if (!memory) return ClipboardResult::NoMemory;
    if (!OpenClipboardWithRetry()) {
        GlobalFree(memory);
        return ClipboardResult::Busy;
    }
    // Once SetClipboardData has taken the memory it belongs to the clipboard.
    const bool placed = EmptyClipboard() && !Fails(ClipboardStep::SetClipboardData) &&
                        SetClipboardData(ClipboardFormat(), memory) != nullptr;
    CloseClipboard();
    if (placed) return ClipboardResult::Placed;
    GlobalFree(memory);
    return ClipboardResult::Emptied;
}

int ShowMessageBox(const Text& message, UINT style, const Text& caption) {
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    HWND active = GetActiveWindow();
    const WideText wideMessage(message);
    const WideText wideCaption(caption);
    const int result = MessageBoxW(nullptr, wideMessage.CString(), wideCaption.CString(), style);
    // A box without owner enables the windows it disabled only once it is gone,
    // too late for the system to activate one of them: the window that was
    // active gets the activation back, unless another window has taken it.
    if (active && IsWindow(active) && !GetForegroundWindow()) SetForegroundWindow(active);
    return result;
}

// The shell is loaded when an address is first opened rather than at every
// start: loading shell32 and what it pulls in is a good part of a start-up.
// shell32 is one of the system's known DLLs, always taken from the system
// folder. Without it nothing opens, as when the shell fails.
void OpenWebAddress(const Text& address) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const auto shellExecute = [] {
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")))
                     : nullptr;
    }();
    if (shellExecute) shellExecute(nullptr, L"open", WideText(address).CString(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool LoadWindow(const WindowDescription& description, std::optional<HWND> parent, bool dialogMode) {
    if (parent && !IsOpenWindow(*parent)) return false;
    HWND owner = dialogMode ? ownerWindow : parent.value_or(nullptr);
    HWND window = DescribedWindow::Create(description, owner);
    if (!window) return false;
    if (dialogMode) DescribedWindow::FromHandle(window)->RememberDisabledWindows(DisableOtherWindows(window));
    if (description.visible) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        if (dialogMode) RunModalLoop(window);
    }
    return true;
}

bool HandleNextMessage(int& exitCode) {
    MSG message;
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) {
        exitCode = result == 0 ? static_cast<int>(message.wParam) : 0;
        return false;
    }
    if (!DescribedWindow::HandleKeyboard(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

HWND CreateOwnerWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kOwnerWindowClass;
    if (!RegisterClassExW(&windowClass)) return nullptr;
    ownerWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerWindowClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return ownerWindow;
}

void DestroyOwnerWindow() {
    if (ownerWindow) DestroyWindow(ownerWindow);
    ownerWindow = nullptr;
}

#ifdef CORVANEL_FAILURE_INJECTION
void FailClipboardStep(ClipboardStep step) { failingClipboardStep = step; }
#endif

}  // namespace corvanel
