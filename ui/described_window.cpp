#include "described_window.h"

#include <algorithm>

#include "open_windows.h"
#include "resource_ids.h"

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

bool RegisterWindowClass(const char* className, WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = ProgramIcon();
    windowClass.hIconSm = ProgramIcon();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass) != 0;
}

POINT CentredOnPrimaryScreen(SIZE size) {
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
}

}  // namespace

HWND DescribedWindow::Create(const WindowDescription& description, HWND owner) {
    if (!RegisterWindowClass(description.className, WindowProcedure)) return nullptr;
    CreationParameters parameters{new DescribedWindow(description), false};
    DescribedWindow* self = parameters.window;
    const POINT position = CentredOnPrimaryScreen(description.outerSize);
    HWND window = CreateWindowExA(0, description.className, description.caption, description.style,
                                  position.x, position.y, description.outerSize.cx,
                                  description.outerSize.cy, owner, nullptr, GetModuleHandleA(nullptr),
                                  &parameters);
    if (!window) {
        // Once attached, the window deleted `self` itself on WM_NCDESTROY.
        if (!parameters.attached) delete self;
        return nullptr;
    }
    if (!self->CreateControls()) {
        DestroyWindow(window);
        return nullptr;
    }
    self->ApplyOuterSize();
    return window;
}

DescribedWindow* DescribedWindow::FromHandle(HWND window) {
    if (!IsOpenWindow(window)) return nullptr;
    return reinterpret_cast<DescribedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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
    const HFONT font = FontFor(control);
    if (!font) return false;
    const RECT& r = control.bounds;
    HWND child = CreateWindowExA(IsEditBox(control.kind) ? WS_EX_CLIENTEDGE : 0,
                                 IsEditBox(control.kind) ? "EDIT" : "BUTTON", control.text,
                                 ControlStyle(control), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control.name))),
                                 GetModuleHandleA(nullptr), nullptr);
    if (!child) return false;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_.push_back(child);
    return true;
}

HFONT DescribedWindow::FontFor(const ControlDescription& control) {
    if (control.font == ControlFont::DefaultGui) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!songTi_) {
        LOGFONTA font{};
        font.lfHeight = -10;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = PROOF_QUALITY;
        font.lfPitchAndFamily = DEFAULT_PITCH;
        lstrcpynA(font.lfFaceName, "宋体", LF_FACESIZE);
        songTi_.reset(CreateFontIndirectA(&font));
    }
    return songTi_.get();
}

// The system may give the window another outer size than asked for; the
// window must have exactly the stated one.
void DescribedWindow::ApplyOuterSize() {
    RECT outer{};
    GetWindowRect(window_, &outer);
    const SIZE wanted = description_.outerSize;
    if (outer.right - outer.left != wanted.cx || outer.bottom - outer.top != wanted.cy)
        SetWindowPos(window_, nullptr, 0, 0, wanted.cx, wanted.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK DescribedWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The window owns its DescribedWindow from here on and deletes it on WM_NCDESTROY.
        auto* parameters = static_cast<CreationParameters*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        parameters->attached = true;
        parameters->window->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(parameters->window));
        AddOpenWindow(window);
    }
    DescribedWindow* self = FromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
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
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
        OnNcDestroy();
        return result;
    }
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void DescribedWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (const ControlDescription& control : description_.controls) {
        if (control.kind != ControlKind::Label) continue;
        RECT bounds = control.bounds;
        FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, control.textColour);
        DrawTextA(dc, control.text, -1, &bounds, control.labelFormat);
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
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
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
        const LRESULT claims = SendMessageA(focus, WM_GETDLGCODE, message.wParam,
                                            reinterpret_cast<LPARAM>(&message));
        const LRESULT claimed = DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (key == VK_TAB ? DLGC_WANTTAB : 0);
        if (claims & claimed) return false;
    }
    switch (key) {
    case VK_TAB: MoveFocus(shift ? -1 : 1); break;
    case VK_RETURN: PressEnter(); break;
    case VK_ESCAPE: SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0); break;
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
