// Windows described as data: one table of settings per window and one table of
// its controls. DescribedWindow builds, paints and drives any window from them.
#pragma once

#include <windows.h>

#include <span>

namespace corvanel {

// Every control of the program's windows, by its name.
enum class ControlName { 编辑框1, 编辑框2, 编辑框3, 编辑框4, 按钮1, 按钮2, 按钮3, 按钮4, 按钮5, 按钮6, 标签1, 标签2, 标签3, 标签4 };

enum class ControlKind {
    PushButton,
    DefaultPushButton,  // drawn with the heavier frame; Enter clicks it
    Label,              // painted by its window, not a window of its own
    EditBox,
    ReadOnlyEditBox,
};

enum class ControlFont { DefaultGui, SongTi10 };

using ButtonAction = void (*)(HWND window);

struct ControlDescription {
    ControlName name;
    ControlKind kind;
    RECT bounds;  // left, top, right, bottom in the window's client area, at 96 DPI
    const char* text;  // GBK
    bool tabStop;
    COLORREF textColour;
    ControlFont font;
    UINT labelFormat;      // DrawText flags; labels only
    ButtonAction onClick;  // buttons only; null for none
};

struct WindowDescription {
    const wchar_t* className;
    const char* caption;  // GBK
    SIZE outerSize;  // frame and title bar included, at 96 DPI; the window is centred on the primary screen
    DWORD style;
    bool visible;
    std::span<const ControlDescription> controls;
};

// A control's position and size as the tables state them, in pixels at 96 DPI.
constexpr RECT At(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Fixed dialog-style frame with title bar and close box; no sizing, no minimise or maximise.
constexpr DWORD kFixedDialogFrame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

}  // namespace corvanel
