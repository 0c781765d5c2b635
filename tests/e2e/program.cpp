#include "program.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "png_writer.h"

namespace e2e {
namespace {

std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return {};
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, result.data(), length, nullptr, nullptr);
    return result;
}

std::string ExecutableFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

struct ProcessWindows {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
    auto* collected = reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == collected->process) collected->windows.push_back(window);
    return TRUE;
}

bool OpenClipboardWithRetry() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

// Hands the clipboard's block of that format and its size to `read`;
// nothing when the clipboard holds no such format.
template <typename Read>
auto ReadClipboard(UINT format, Read read) -> std::optional<decltype(read(nullptr, 0))> {
    if (!OpenClipboardWithRetry()) throw std::runtime_error("the clipboard stays busy");
    std::optional<decltype(read(nullptr, 0))> result;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* bytes = GlobalLock(data)) {
            result = read(bytes, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

std::string ProgramPath() { return ExecutableFolder() + "corvanel.exe"; }

std::string Gbk(const std::string& utf8) { return Convert(utf8, CP_UTF8, 936); }
std::string Utf8(const std::string& gbk) { return Convert(gbk, 936, CP_UTF8); }

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(20);
    }
    return true;
}

std::string WindowText(HWND window) {
    const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string ClassName(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

RECT ClientRectOf(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenInStackingOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FocusOfThread(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

void SendKeyStroke(WORD key, std::initializer_list<WORD> modifiers) {
    for (WORD modifier : modifiers) SendKey(modifier, false);
    SendKey(key, false);
    SendKey(key, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) SendKey(*it, true);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    SendKeyStroke(key, modifiers);
    Sleep(150);
}

void TypeText(const std::string& ascii) {
    for (char c : ascii) {
        const SHORT scan = VkKeyScanA(c);
        const bool shift = (scan >> 8) & 1;
        if (shift)
            PressKey(static_cast<WORD>(scan & 0xFF), {VK_SHIFT});
        else
            PressKey(static_cast<WORD>(scan & 0xFF));
    }
}

void SendClick(POINT screenPoint) {
    SetCursorPos(screenPoint.x, screenPoint.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

void ClickAt(POINT screenPoint) {
    SendClick(screenPoint);
    Sleep(150);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Copies the screen rectangle once and inspects the copy.
static std::vector<std::uint32_t> CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;  // 0x00RRGGBB each
}

int CountScreenPixels(const RECT& screenRect, const std::function<bool(COLORREF)>& predicate) {
    int count = 0;
    for (std::uint32_t pixel : CaptureScreen(screenRect)) {
        const COLORREF colour = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        if (predicate(colour)) ++count;
    }
    return count;
}

std::string SaveScreenshot(const RECT& screenRect, const std::string& name) {
    const std::string folder = ExecutableFolder() + "..\\screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    // Screenshots of the other desktops the tests set up carry the desktop's name.
    const char* desktop = std::getenv("CORVANEL_DESKTOP");
    std::string path = folder + name;
    if (desktop && std::string_view(desktop) != "zh-CN") path.append("-").append(desktop);
    path += ".png";
    WritePng(path, screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
             CaptureScreen(screenRect));
    return path;
}

std::optional<MessageBoxSeen> FindMessageBox(DWORD process) {
    ProcessWindows collected{process, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&collected));
    for (HWND window : collected.windows) {
        if (ClassName(window) != "#32770" || !IsWindowVisible(window)) continue;
        MessageBoxSeen box{window, WindowText(window), WindowText(GetDlgItem(window, 0xFFFF)), {}, false};
        for (HWND child : ChildrenInStackingOrder(window)) {
            if (!IsWindowVisible(child)) continue;
            const std::string kind = ClassName(child);
            if (kind == "Button") box.buttonIds.push_back(GetDlgCtrlID(child));
            if (kind == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                SendMessageA(child, STM_GETICON, 0, 0) != 0)
                box.hasIcon = true;
        }
        return box;
    }
    return std::nullopt;
}

void DismissMessageBox(const MessageBoxSeen& box) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::optional<std::string> ClipboardText() {
    return ReadClipboard(CF_TEXT, [](const void* data, SIZE_T) { return std::string(static_cast<const char*>(data)); });
}

void PutOnClipboard(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* target = static_cast<char*>(GlobalLock(memory));
    std::copy(bytes.begin(), bytes.end(), target);
    target[bytes.size()] = '\0';
    GlobalUnlock(memory);
    if (!OpenClipboardWithRetry()) throw std::runtime_error("the clipboard stays busy");
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

Program::Program(const std::string& executable, bool waitForMainWindow) {
    std::string commandLine = "\"" + (executable.empty() ? ProgramPath() : executable) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
        throw std::runtime_error("cannot start " + commandLine);
    if (!waitForMainWindow) return;
    WaitForInputIdle(process_.hProcess, 5000);
    WaitUntil([&] { return MainWindowReady(); }, 10000ms);
}

bool Program::MainWindowReady() {
    mainWindow_ = FindTopLevel("CorvanelMainWindow");
    return mainWindow_ && IsWindowVisible(mainWindow_) && Focus() != nullptr;
}

Program::~Program() {
    if (!HasExited()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Program::Control(int index) const {
    const std::vector<HWND> children = ChildrenInStackingOrder(mainWindow_);
    return index < static_cast<int>(children.size()) ? children[index] : nullptr;
}

std::vector<HWND> Program::TopLevelWindows() const {
    ProcessWindows collected{ProcessId(), {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&collected));
    return collected.windows;
}

HWND Program::FindTopLevel(const std::string& className) const {
    for (HWND window : TopLevelWindows())
        if (ClassName(window) == className) return window;
    return nullptr;
}

void Program::BringToFront(HWND window) const {
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000ms);
}

bool Program::HasExited(std::chrono::milliseconds wait) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Program::ExitCode(std::chrono::milliseconds wait) const {
    if (!HasExited(wait)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void ClickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SetEditText(HWND edit, const std::string& gbk) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbk.c_str()));
}

std::optional<std::string> ClipboardTextBlock() {
    return ReadClipboard(CF_TEXT, [](const void* data, SIZE_T size) {
        return std::string(static_cast<const char*>(data), size);
    });
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD process, std::chrono::milliseconds timeout) {
    std::optional<MessageBoxSeen> box;
    WaitUntil([&] { return (box = FindMessageBox(process)).has_value(); }, timeout);
    return box;
}

std::optional<std::vector<std::string>> RecordedWebAddresses() {
    char unixPath[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("CORVANEL_XDG_OPEN_LOG", unixPath, sizeof unixPath);
    if (length == 0 || length >= sizeof unixPath || unixPath[0] != '/') return std::nullopt;
    std::string path = "Z:" + std::string(unixPath, length);
    std::replace(path.begin(), path.end(), '/', '\\');
    std::vector<std::string> addresses;
    std::ifstream log(path, std::ios::binary);
    for (std::string line; std::getline(log, line);) addresses.push_back(line);
    return addresses;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::wstring WindowTextWide(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void SetEditTextWide(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeUnicode(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(c);
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof inputs[0]);
        Sleep(30);
    }
}

std::optional<std::wstring> ClipboardUnicodeText() {
    return ReadClipboard(CF_UNICODETEXT,
                         [](const void* data, SIZE_T) { return std::wstring(static_cast<const wchar_t*>(data)); });
}

int DesktopDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace e2e
