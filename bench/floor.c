/* The floor of the start-up benchmark: Corvanel's main window written plainly
   in C, with the same controls, fonts, colours, icon, manifest, DPI awareness
   and COM initialisation, and nothing else. It is laid out for 96 DPI, the
   benchmark's desktop. What corvanel.exe takes beyond this program to show
   the same window idle on the screen is its own overhead. */
#include <windows.h>
#include <objbase.h>

#include "resource_ids.h"

enum { WINDOW_WIDTH = 364, WINDOW_HEIGHT = 227, FIRST_ID = 100 };

typedef enum { PUSH, DEFAULT_PUSH, LABEL, EDIT, READ_ONLY_EDIT } Kind;

typedef struct {
    Kind kind;
    int x, y, width, height;
    const WCHAR *text;
    COLORREF colour;
    BOOL songTi;
} Control;

#define BLUE RGB(0, 0, 255)
#define MAGENTA RGB(255, 0, 255)
#define BLACK RGB(0, 0, 0)

/* In control order, which is also the stacking order. */
static const Control controls[] = {
    {DEFAULT_PUSH, 312, 160, 40, 32, L"Vantrel", BLACK, FALSE},
    {PUSH, 307, 117, 45, 27, L"复制", BLACK, FALSE},
    {PUSH, 308, 86, 44, 24, L"复制", BLACK, FALSE},
    {PUSH, 308, 48, 44, 32, L"复制", BLACK, FALSE},
    {LABEL, 3, 120, 73, 16, L"生成的地址三", MAGENTA, FALSE},
    {READ_ONLY_EDIT, 80, 115, 224, 24, L"", MAGENTA, TRUE},
    {LABEL, 4, 88, 73, 16, L"生成的地址二", MAGENTA, FALSE},
    {READ_ONLY_EDIT, 80, 81, 224, 24, L"", MAGENTA, TRUE},
    {DEFAULT_PUSH, 264, 160, 40, 32, L"使用帮助", BLACK, FALSE},
    {LABEL, 4, 56, 73, 16, L"生成的地址一", MAGENTA, FALSE},
    {LABEL, 4, 24, 74, 16, L"网盘分享地址", BLUE, FALSE},
    {PUSH, 104, 150, 144, 18, L"点击生成外链地址", BLACK, FALSE},
    {READ_ONLY_EDIT, 80, 48, 224, 24, L"", MAGENTA, TRUE},
    {EDIT, 80, 16, 256, 24, L"", BLUE, FALSE},
};
enum { CONTROL_COUNT = sizeof controls / sizeof controls[0], FIRST_FOCUS = CONTROL_COUNT - 1 };

static HWND children[CONTROL_COUNT];
static HFONT songTi;

static const Control *ControlOf(HWND child) {
    for (int i = 0; i < CONTROL_COUNT; ++i)
        if (children[i] && children[i] == child) return &controls[i];
    return NULL;
}

static void PaintLabels(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        const Control *c = &controls[i];
        if (c->kind != LABEL) continue;
        RECT r = {c->x, c->y, c->x + c->width, c->y + c->height};
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, c->colour);
        DrawTextW(dc, c->text, -1, &r, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintLabels(window); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const Control *c = ControlOf((HWND)lParam);
        if (!c) break;
        SetTextColor((HDC)wParam, c->colour);
        SetBkColor((HDC)wParam, RGB(255, 255, 255));
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    }
    case WM_SETFOCUS: SetFocus(children[FIRST_FOCUS]); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static HFONT CreateSongTi(void) {
    LOGFONTW font = {0};
    font.lfHeight = -10;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynW(font.lfFaceName, L"宋体", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

static BOOL CreateControls(HWND window) {
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        const Control *c = &controls[i];
        if (c->kind == LABEL) continue;
        const BOOL edit = c->kind == EDIT || c->kind == READ_ONLY_EDIT;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        if (c->kind == PUSH) style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        if (c->kind == DEFAULT_PUSH) style |= BS_DEFPUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        if (edit) style |= ES_LEFT | ES_AUTOHSCROLL;
        if (c->kind == READ_ONLY_EDIT) style |= ES_READONLY;
        children[i] = CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", c->text, style,
                                      c->x, c->y, c->width, c->height, window, (HMENU)(INT_PTR)(FIRST_ID + i),
                                      GetModuleHandleW(NULL), NULL);
        if (!children[i]) return FALSE;
        HFONT font = c->songTi ? songTi : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        SendMessageW(children[i], WM_SETFONT, (WPARAM)font, FALSE);
    }
    return TRUE;
}

typedef DPI_AWARENESS_CONTEXT(WINAPI *GetThreadDpiAwarenessContextFunction)(void);
typedef DPI_AWARENESS(WINAPI *GetAwarenessFromDpiAwarenessContextFunction)(DPI_AWARENESS_CONTEXT);
typedef BOOL(WINAPI *SetProcessDpiAwarenessContextFunction)(DPI_AWARENESS_CONTEXT);

/* As the program: per-monitor aware where the manifest left it unaware. */
static void BecomeDpiAwareIfUnaware(void) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    GetThreadDpiAwarenessContextFunction threadContext =
        (GetThreadDpiAwarenessContextFunction)(void (*)(void))GetProcAddress(user32, "GetThreadDpiAwarenessContext");
    GetAwarenessFromDpiAwarenessContextFunction awarenessOf = (GetAwarenessFromDpiAwarenessContextFunction)(
        void (*)(void))GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext");
    SetProcessDpiAwarenessContextFunction setProcessContext =
        (SetProcessDpiAwarenessContextFunction)(void (*)(void))GetProcAddress(user32, "SetProcessDpiAwarenessContext");
    if (!threadContext || !awarenessOf || !setProcessContext) return;
    if (awarenessOf(threadContext()) != DPI_AWARENESS_UNAWARE) return;
    if (!setProcessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        setProcessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    BecomeDpiAwareIfUnaware();
    /* As the program: it goes on without an apartment. */
    const HRESULT apartment = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    songTi = CreateSongTi();
    if (!songTi) return 1;

    HICON icon = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(CORVANEL_ICON), IMAGE_ICON, 48, 48, 0);
    WNDCLASSEXW windowClass = {0};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"CorvanelFloorWindow";
    if (!RegisterClassExW(&windowClass)) return 1;

    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Corvanel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  (GetSystemMetrics(SM_CXSCREEN) - WINDOW_WIDTH) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - WINDOW_HEIGHT) / 2, WINDOW_WIDTH,
                                  WINDOW_HEIGHT, NULL, NULL, instance, NULL);
    if (!window) return 1;
    if (!CreateControls(window)) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(songTi);
    if (SUCCEEDED(apartment)) CoUninitialize();
    return (int)message.wParam;
}
