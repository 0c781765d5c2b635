// The window tables give pixels for a display of 96 DPI. Here they become the
// pixels of the display a window is on; functions newer than Windows 7 are
// looked up at run time, with a fallback where they are missing.
#pragma once

#include <windows.h>

namespace corvanel {

inline constexpr UINT kTableDpi = 96;

// Makes the process per-monitor DPI aware where its manifest left it unaware
// (Wine 8 does not know PerMonitorV2, the manifest's first choice). On a
// Windows that took the manifest this changes nothing.
void BecomeDpiAwareIfUnaware();

// The DPI the window is laid out for; the system's where Windows cannot tell
// a window's own.
UINT DpiOfWindow(HWND window);
// The DPI of the primary display at log-on, which the stock fonts are made for.
UINT SystemDpi();

// Table values at a given DPI.
class DpiScale {
public:
    explicit DpiScale(UINT dpi) : dpi_(dpi) {}
    UINT Dpi() const { return dpi_; }
    int Pixels(int tableValue) const { return MulDiv(tableValue, static_cast<int>(dpi_), kTableDpi); }
    // Position and size each scaled, so that a control keeps its place in the row.
    RECT Bounds(const RECT& table) const;
    // The outer size that holds, in this DPI's frame, the client area that the
    // table's outer size holds at 96 DPI, scaled.
    SIZE OuterSize(SIZE tableOuterSize, DWORD style, DWORD exStyle) const;

private:
    UINT dpi_;
};

}  // namespace corvanel
