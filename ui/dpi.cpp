#include "dpi.h"

namespace corvanel {
namespace {

// Windows 10 1607 and later.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetThreadDpiAwarenessContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFunction = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
// Windows 10 1703 and later.
using SetProcessDpiAwarenessContextFunction = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <typename Function>
Function User32Function(const char* name) {
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return kTableDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kTableDpi;
}

// The frame and title bar around a client area, as a rectangle around (0, 0, 0, 0).
RECT FrameAt(UINT dpi, DWORD style, DWORD exStyle) {
    RECT frame{};
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&frame, style, FALSE, exStyle, dpi)) return frame;
    // Before Windows 10 the system metrics, and so the frame, are the system DPI's.
    frame = RECT{};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const UINT system = SystemDpi();
    if (dpi != system) {
        const auto scale = [&](LONG value) { return static_cast<LONG>(MulDiv(value, static_cast<int>(dpi), static_cast<int>(system))); };
        frame = RECT{scale(frame.left), scale(frame.top), scale(frame.right), scale(frame.bottom)};
    }
    return frame;
}

}  // namespace

void BecomeDpiAwareIfUnaware() {
    const auto threadContext = User32Function<GetThreadDpiAwarenessContextFunction>("GetThreadDpiAwarenessContext");
    const auto awarenessOf =
        User32Function<GetAwarenessFromDpiAwarenessContextFunction>("GetAwarenessFromDpiAwarenessContext");
    const auto setProcessContext =
        User32Function<SetProcessDpiAwarenessContextFunction>("SetProcessDpiAwarenessContext");
    if (!threadContext || !awarenessOf || !setProcessContext) return;
    if (awarenessOf(threadContext()) != DPI_AWARENESS_UNAWARE) return;
    if (!setProcessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        setProcessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

UINT DpiOfWindow(HWND window) {
    static const auto dpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (dpiForWindow && window)
        if (const UINT dpi = dpiForWindow(window)) return dpi;
    return SystemDpi();
}

UINT SystemDpi() {
    static const auto dpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (dpiForSystem)
        if (const UINT dpi = dpiForSystem()) return dpi;
    return ScreenDpi();
}

RECT DpiScale::Bounds(const RECT& table) const {
    const int left = Pixels(table.left);
    const int top = Pixels(table.top);
    return RECT{left, top, left + Pixels(table.right - table.left), top + Pixels(table.bottom - table.top)};
}

SIZE DpiScale::OuterSize(SIZE tableOuterSize, DWORD style, DWORD exStyle) const {
    const RECT tableFrame = FrameAt(kTableDpi, style, exStyle);
    const SIZE tableClient{tableOuterSize.cx - (tableFrame.right - tableFrame.left),
                           tableOuterSize.cy - (tableFrame.bottom - tableFrame.top)};
    const RECT frame = FrameAt(dpi_, style, exStyle);
    return SIZE{Pixels(tableClient.cx) + frame.right - frame.left, Pixels(tableClient.cy) + frame.bottom - frame.top};
}

}  // namespace corvanel
