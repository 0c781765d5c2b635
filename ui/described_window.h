// The one routine that creates any described window, and the behaviour every
// described window shares: painting its labels, colouring its edit boxes,
// running its buttons' actions, its keyboard rules and its focus.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "dpi.h"
#include "gdi_handle.h"
#include "window_description.h"

namespace corvanel {

class DescribedWindow {
public:
    // Creates the window hidden, with all its controls, laid out for the DPI of
    // its display and centred at its outer size. Returns null when the window
    // or a control cannot be created.
    static HWND Create(const WindowDescription& description, HWND owner);

    static DescribedWindow* FromHandle(HWND window);

    // Offers a retrieved message to the keyboard rules of the window it is
    // addressed to and of that window's parents, innermost first. True when a
    // window consumed it.
    static bool HandleKeyboard(const MSG& message);

    HWND Handle() const { return window_; }
    HWND Control(ControlName name) const;
    bool IsVisibleOnCreation() const { return description_.visible; }

    // The windows this one disabled when it was shown modally; they get their
    // former state back when it closes.
    void RememberDisabledWindows(std::vector<std::pair<HWND, bool>> windows);

private:
    explicit DescribedWindow(const WindowDescription& description) : description_(description), scale_(kTableDpi) {}
    DescribedWindow(const DescribedWindow&) = delete;
    DescribedWindow& operator=(const DescribedWindow&) = delete;

    struct CreationParameters {
        DescribedWindow* window;
        bool attached;
    };
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateControls();
    bool CreateControl(const ControlDescription& control);
    bool MakeFonts(UINT dpi);
    HFONT FontFor(const ControlDescription& control) const;
    HFONT GuiFont() const;
    SIZE OuterSize() const;
    void CentreOnPrimaryScreen();
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    void OnPaint();
    static LRESULT ColourEditBox(HDC dc, const ControlDescription& box);
    void OnCommand(int id, int code);
    void OnActivate(WORD state);
    void OnSetFocus();
    void OnClose();
    void OnNcDestroy();
    bool OnKeyDown(const MSG& message);

    void MoveFocus(int step);
    void PressEnter();
    void Click(const ControlDescription& control);
    void RememberFocus();
    const ControlDescription* RowOf(HWND control) const;
    bool IsUsable(const ControlDescription& control) const;

    const WindowDescription& description_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // one per row; null for labels
    DpiScale scale_;              // from the tables' 96 DPI to the window's
    FontHandle songTi_;
    FontHandle guiFont_;          // null: the stock font, made for this DPI already
    HWND lastFocus_ = nullptr;
    std::vector<std::pair<HWND, bool>> disabledWindows_;
};

}  // namespace corvanel
