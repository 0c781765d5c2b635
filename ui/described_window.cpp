#include "described_window.h"

#include <algorithm>

#include "open_windows.h"
#include "resource_ids.h"
#include "wide_text.h"

namespace corvanel {
namespace {

constexpr int kFirstControlId = 100;
constexpr COLORREF kWhite = RGB(255, 255, 255);

int ControlId(ControlName name) { return kFirstControlId + static_cast<int>(name); }

bool IsButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton;
}
bool IsEditBox(ControlKind kind) {
    return kind == ControlKind::EditBox || kind == ControlKind::ReadOnlyEditBox;
}

DWORD ControlStyle(const ControlDescription& control) {
    DWORD style = WS_CHILD | WS_VISIBLE | (control.tabStop ? WS_TABSTOP : 0);
    switch (control.kind) {
    case ControlKind::PushButton: return style | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    case ControlKind::DefaultPushButton:
        return style | BS_DEFPUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    case ControlKind::EditBox: return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::ReadOnlyEditBox: return style | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY;
    case ControlKind::Label: break;
    }
    return style;
}

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

HICON ProgramIcon() {
    static const HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CORVANEL_ICON), IMAGE_ICON, 48, 48, 0));
    return icon;
}

// Wide windows: what the user types arrives as UTF-16 whatever the desktop's code page.
bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = ProgramIcon();
    windowClass.hIconSm = ProgramIcon();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

POINT CentredOnPrimaryScreen(SIZE size) {
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
}

FontHandle SongTiAt(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = DpiScale(dpi).Pixels(-10);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynW(font.lfFaceName, L"宋体", LF_FACESIZE);
    return FontHandle(CreateFontIndirectW(&font));
}

// The stock font is made for the system's DPI; a window on a display of
// another DPI gets the same font at its own.
FontHandle GuiFontAt(UINT dpi) {
    LOGFONTW font{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

HWND DescribedWindow::Create(const WindowDescription& description, HWND owner) {
    if (!RegisterWindowClass(description.className, WindowProcedure)) return nullptr;
    CreationParameters parameters{new DescribedWindow(description), false};
    DescribedWindow* self = parameters.window;
    // Created at the tables' size where it will be centred, so that the system
    // tells the DPI of that display; then laid out for that DPI.
    const POINT position = CentredOnPrimaryScreen(description.outerSize);
    const TableText caption(description.caption);
    HWND window = CreateWindowExW(0, description.className, caption.CString(), description.style, position.x,
                                  position.y, description.outerSize.cx, description.outerSize.cy, owner, nullptr,
                                  GetModuleHandleW(nullptr), &parameters);
    if (!window) {
        // Once attached, the window deleted `self` itself on WM_NCDESTROY.
        if (!parameters.attached) delete self;
        return nullptr;
    }
    self->scale_ = DpiScale(DpiOfWindow(window));
    if (!self->MakeFonts(self->scale_.Dpi()) || !self->CreateControls()) {
        DestroyWindow(window);
        return nullptr;
    }
    self->CentreOnPrimaryScreen();
    return window;
}

DescribedWindow* DescribedWindow::FromHandle(HWND window) {
    if (!IsOpenWindow(window)) return nullptr;
    return reinterpret_cast<DescribedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND DescribedWindow::Control(ControlName name) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (description_.controls[i].name == name) return controls_[i];
    return nullptr;
}

void DescribedWindow::RememberDisabledWindows(std::vector<std::pair<HWND, bool>> windows) {
    disabledWindows_ = std::move(windows);
}

bool DescribedWindow::CreateControls() {
    controls_.reserve(description_.controls.size());
    for (const ControlDescription& control : description_.controls) {
        if (control.kind == ControlKind::Label) {
            controls_.push_back(nullptr);
            continue;
        }
        if (!CreateControl(control)) return false;
    }
    return true;
}

// Controls are created in control order; each new child goes below the ones
// before it, so the control order is also the stacking order.
bool DescribedWindow::CreateControl(const ControlDescription& control) {
    const RECT r = scale_.Bounds(control.bounds);
    const TableText text(control.text);
    HWND child = CreateWindowExW(IsEditBox(control.kind) ? WS_EX_CLIENTEDGE : 0,
                                 IsEditBox(control.kind) ? L"EDIT" : L"BUTTON", text.CString(),
                                 ControlStyle(control), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control.name))),
                                 GetModuleHandleW(nullptr), nullptr);
    if (!child) return false;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control)), FALSE);
    controls_.push_back(child);
    return true;
}

// The fonts for the DPI; the ones held before stay untouched when one fails.
bool DescribedWindow::MakeFonts(UINT dpi) {
    FontHandle songTi;
    const auto usesSongTi = [](const ControlDescription& c) { return c.font == ControlFont::SongTi10; };
    if (std::any_of(description_.controls.begin(), description_.controls.end(), usesSongTi)) {
        songTi = SongTiAt(dpi);
        if (!songTi) return false;
    }
    FontHandle guiFont;
    if (dpi != SystemDpi()) {
        guiFont = GuiFontAt(dpi);
        if (!guiFont) return false;
    }
    songTi_ = std::move(songTi);
    guiFont_ = std::move(guiFont);
    return true;
}

HFONT DescribedWindow::FontFor(const ControlDescription& control) const {
    return control.font == ControlFont::SongTi10 ? songTi_.get() : GuiFont();
}

HFONT DescribedWindow::GuiFont() const {
    return guiFont_ ? guiFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE DescribedWindow::OuterSize() const { return scale_.OuterSize(description_.outerSize, description_.style, 0); }

// The system may give the window another outer size than asked for; the
// window must have exactly the one for its DPI, centred on that size.
void DescribedWindow::CentreOnPrimaryScreen() {
    const SIZE wanted = OuterSize();
    const POINT position = CentredOnPrimaryScreen(wanted);
    RECT outer{};
    GetWindowRect(window_, &outer);
    if (outer.left != position.x || outer.top != position.y || outer.right - outer.left != wanted.cx ||
        outer.bottom - outer.top != wanted.cy)
        SetWindowPos(window_, nullptr, position.x, position.y, wanted.cx, wanted.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a display of another scale: the same layout at the new DPI, in the
// rectangle the system suggests.
void DescribedWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // The controls keep their old fonts until they have the new ones.
    FontHandle oldSongTi = std::move(songTi_);
    FontHandle oldGuiFont = std::move(guiFont_);
    if (!MakeFonts(dpi)) {
        songTi_ = std::move(oldSongTi);
        guiFont_ = std::move(oldGuiFont);
    }
    scale_ = DpiScale(dpi);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (!controls_[i]) continue;
        const RECT r = scale_.Bounds(description_.controls[i].bounds);
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(description_.controls[i])), TRUE);
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK DescribedWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The window owns its DescribedWindow from here on and deletes it on WM_NCDESTROY.
        auto* parameters = static_cast<CreationParameters*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        parameters->attached = true;
        parameters->window->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(parameters->window));
        AddOpenWindow(window);
    }
    DescribedWindow* self = FromHandle(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

LRESULT DescribedWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const ControlDescription* row = RowOf(reinterpret_cast<HWND>(lParam)); row && IsEditBox(row->kind))
            return ColourEditBox(reinterpret_cast<HDC>(wParam), *row);
        break;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); break;
    // Disabling a window takes the focus away after this message: remember it now.
    case WM_CANCELMODE: RememberFocus(); break;
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        OnNcDestroy();
        return result;
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void DescribedWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const HGDIOBJ previousFont = SelectObject(dc, GuiFont());
    SetBkMode(dc, TRANSPARENT);
    for (const ControlDescription& control : description_.controls) {
        if (control.kind != ControlKind::Label) continue;
        RECT bounds = scale_.Bounds(control.bounds);
        FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, control.textColour);
        const TableText text(control.text);
        DrawTextW(dc, text.CString(), -1, &bounds, control.labelFormat);
    }
    SelectObject(dc, previousFont);
    EndPaint(window_, &paint);
}

// A writable box asks with WM_CTLCOLOREDIT, a read-only one with WM_CTLCOLORSTATIC.
LRESULT DescribedWindow::ColourEditBox(HDC dc, const ControlDescription& box) {
    SetTextColor(dc, box.textColour);
    SetBkColor(dc, kWhite);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void DescribedWindow::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    for (const ControlDescription& control : description_.controls)
        if (ControlId(control.name) == id && IsButton(control.kind)) Click(control);
}

void DescribedWindow::Click(const ControlDescription& control) {
    if (control.onClick) control.onClick(window_);
}

void DescribedWindow::OnActivate(WORD state) {
    if (state == WA_INACTIVE) RememberFocus();
}

void DescribedWindow::RememberFocus() {
    HWND focus = GetFocus();
    if (RowOf(focus)) lastFocus_ = focus;
}

// The control that last had the focus gets it back; the first time, the
// first control of the tab order gets it.
void DescribedWindow::OnSetFocus() {
    if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    MoveFocus(1);
}

void DescribedWindow::OnClose() {
    // The windows underneath are enabled before this one goes, so that one of
    // them becomes active again.
    for (const auto& [window, wasEnabled] : disabledWindows_)
        if (IsWindow(window)) EnableWindow(window, wasEnabled);
    disabledWindows_.clear();
    DestroyWindow(window_);
}

void DescribedWindow::OnNcDestroy() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    RemoveOpenWindow(window_);
    delete this;
}

bool DescribedWindow::HandleKeyboard(const MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    // A window that takes no input, as the main window under a modal window or
    // a message box, ignores a key that still reaches it, posted for instance.
    if (HWND topLevel = GetAncestor(message.hwnd, GA_ROOT); IsOpenWindow(topLevel) && !IsWindowEnabled(topLevel))
        return true;
    if (message.message != WM_KEYDOWN) return false;
    for (HWND window = message.hwnd; window;
         window = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr) {
        if (DescribedWindow* described = FromHandle(window))
            if (described->OnKeyDown(message)) return true;
    }
    return false;
}

// Tab, Shift+Tab, Enter and Esc belong to the window unless the focused control
// claims them, as only a multi-line editable box would.
bool DescribedWindow::OnKeyDown(const MSG& message) {
    const auto key = static_cast<int>(message.wParam);
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
    const bool shift = KeyIsDown(VK_SHIFT);
    if (KeyIsDown(VK_CONTROL) || KeyIsDown(VK_MENU)) return false;
    if (shift && key != VK_TAB) return false;

    HWND focus = GetFocus();
    if (RowOf(focus)) {
        const LRESULT claims = SendMessageW(focus, WM_GETDLGCODE, message.wParam,
                                            reinterpret_cast<LPARAM>(&message));
        const LRESULT claimed = DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (key == VK_TAB ? DLGC_WANTTAB : 0);
        if (claims & claimed) return false;
    }
    switch (key) {
    case VK_TAB: MoveFocus(shift ? -1 : 1); break;
    case VK_RETURN: PressEnter(); break;
    case VK_ESCAPE: SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    return true;
}

// All controls share one tab rank; among equal ranks the order is the reverse
// of the control order, so the next control in the tab order is the previous
// one in the table. Focus handling runs inside window messages and allocates
// nothing.
void DescribedWindow::MoveFocus(int step) {
    const int count = static_cast<int>(description_.controls.size());
    const ControlDescription* current = RowOf(GetFocus());
    int index = current ? static_cast<int>(current - description_.controls.data()) : (step > 0 ? count : -1);
    for (int tried = 0; tried < count; ++tried) {
        index = (index - step + count) % count;
        const ControlDescription& control = description_.controls[index];
        if (control.tabStop && control.kind != ControlKind::Label && IsUsable(control)) {
            SetFocus(Control(control.name));
            return;
        }
    }
}

// Enter clicks the focused button when it is a default-style one, and else
// the first default-style button of the window.
void DescribedWindow::PressEnter() {
    const ControlDescription* focused = RowOf(GetFocus());
    if (focused && focused->kind == ControlKind::DefaultPushButton && IsUsable(*focused)) {
        Click(*focused);
        return;
    }
    for (const ControlDescription& control : description_.controls)
        if (control.kind == ControlKind::DefaultPushButton && IsUsable(control)) {
            Click(control);
            return;
        }
}

const ControlDescription* DescribedWindow::RowOf(HWND control) const {
    if (!control) return nullptr;
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == control) return &description_.controls[i];
    return nullptr;
}

bool DescribedWindow::IsUsable(const ControlDescription& control) const {
    HWND child = Control(control.name);
    return child && IsWindowVisible(child) && IsWindowEnabled(child);
}

}  // namespace corvanel
