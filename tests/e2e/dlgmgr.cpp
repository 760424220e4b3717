// dlgmgr.dll: the dialog manager's part of a change of scale, which Wine's
// DefDlgProc does not do, for the end-to-end runs. The probe starts the
// menu suspended and hooks its main thread with CbtProc (WH_CBT); Wine loads
// this DLL into the menu then. When the menu's dialog is created, its
// procedure is subclassed here, before the menu's framework subclasses it at
// WM_INITDIALOG: this procedure sits where the default dialog procedure is,
// and sees WM_DPICHANGED only if the menu passes it on.
//
// On WM_DPICHANGED it does what Windows 10 1703 and later do for a
// per-monitor-v2 dialog there ("High DPI Desktop Application Development
// on Windows": DIALOG_DPI_CHANGE_BEHAVIORS, DDC_DEFAULT: "re-layout each
// control, update the font on each control, resize the dialog, and update
// the dialog's own font"), then calls the procedure it replaced:
//   - the template's font, 宋体 9 pt, made at the new DPI;
//   - every control moved and sized, by VELTA_DLGMGR_LAYOUT: "scaled" from
//     its rectangle by new / old DPI, or "template": the template's dialog
//     units in the new font's base units (the pages do not say which);
//   - the new font to every control and to the dialog (WM_SETFONT);
//   - the dialog's client area sized the same way.
// Its own font is freed when the next replaces it, and with the dialog.
// Before it, Windows asks the window for its size at the new DPI
// ("WM_GETDPISCALEDSIZE message", sent before WM_DPICHANGED; the dialog
// manager answers it, as DDC_DISABLE_ALL's description implies): here, in
// "template" layout, with the template's size in the new font; in "scaled",
// not, so that Windows scales the window's size.
//
// For the leak count, marks in Wine's +gdi trace: pens of set colours, made
// and freed at once ("create_pen 0 1 RGB(7e,1d,..)"). RGB(7e,1d,01), "dialog
// created", once the dialog's window exists (the shared icon and cursor,
// which are never freed, loaded before it); RGB(7e,1d,02), a checkpoint, at
// each VeltaDlgMgrIcons message; RGB(7e,K,N), "ending", when the menu's
// process detaches this DLL, after its dialog object is gone: of the N
// icons the menu set on its dialog and bitmaps its logo showed (the
// template's first), K not destroyed. The registered message
// VeltaDlgMgrIcons answers the sizes of the dialog's big and small icons,
// LOWORD and HIWORD.
#include <windows.h>
#include <stdlib.h>

namespace {

HWND s_hDlg;
WNDPROC s_pfnOriginal;
HFONT s_hFont;
UINT s_nDpi;
UINT s_nIconsMsg;
HMODULE s_hSelf;
HICON s_hSharedIcon;
// What the menu made that this can see: its icons and its logo's bitmaps.
HGDIOBJ s_seen[256];
bool s_bIcon[256];
int s_nSeen;

void Seen(HGDIOBJ h, bool bIcon)
{
    if (h == NULL || (bIcon && h == s_hSharedIcon))
        return;
    for (int i = 0; i < s_nSeen; ++i)
        if (s_seen[i] == h)
            return;
    if (s_nSeen < 256) {
        s_bIcon[s_nSeen] = bIcon;
        s_seen[s_nSeen++] = h;
    }
}

void SeeLogo(HWND hDlg)
{
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT))
        if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            Seen((HGDIOBJ)SendMessageW(h, STM_GETIMAGE, IMAGE_BITMAP, 0), false);
}

// An icon's width; 0 when there is none, or it has been destroyed.
WORD IconWidth(HICON hIcon)
{
    ICONINFO ii;
    if (hIcon == NULL || !GetIconInfo(hIcon, &ii))
        return 0;
    BITMAP bm = {};
    GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return (WORD)bm.bmWidth;
}

int Kept()
{
    int n = 0;
    for (int i = 0; i < s_nSeen; ++i)
        n += s_bIcon[i] ? IconWidth((HICON)s_seen[i]) != 0 : GetObjectType(s_seen[i]) != 0;
    return n;
}

void Mark(BYTE g, BYTE b)
{
    DeleteObject(CreatePen(PS_SOLID, 1, RGB(0x7E, g, b)));
}

// The dialog template's items, in order: x, y, cx, cy in dialog units.
struct ITEM { short x, y, cx, cy; };

int TemplateItems(ITEM* pItems, int nMax, SIZE* pDlg)
{
    HRSRC hRes = FindResourceW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(102), (LPCWSTR)RT_DIALOG);
    const BYTE* p = hRes ? (const BYTE*)LockResource(LoadResource(GetModuleHandleW(NULL), hRes)) : NULL;
    if (p == NULL || ((const WORD*)p)[1] != 0xFFFF)
        return 0;  // an extended template, as the menu's is
    DWORD dwStyle = *(const DWORD*)(p + 12);
    int n = *(const WORD*)(p + 16);
    pDlg->cx = *(const short*)(p + 22);
    pDlg->cy = *(const short*)(p + 24);
    const WORD* w = (const WORD*)(p + 26);
    auto skip = [](const WORD* q) {  // a string or an ordinal
        if (*q == 0xFFFF)
            return q + 2;
        while (*q++)
            ;
        return q;
    };
    w = skip(skip(w));  // menu, class
    while (*w++)        // title
        ;
    if (dwStyle & DS_SETFONT) {
        w += 3;  // point size, weight, italic and charset
        while (*w++)
            ;
    }
    int i = 0;
    for (; i < n && i < nMax; ++i) {
        const BYTE* q = (const BYTE*)(((ULONG_PTR)w + 3) & ~(ULONG_PTR)3);
        pItems[i] = { *(const short*)(q + 12), *(const short*)(q + 14), *(const short*)(q + 16), *(const short*)(q + 18) };
        w = skip(skip((const WORD*)(q + 24)));  // class, title
        w = (const WORD*)((const BYTE*)(w + 1) + *w);  // creation data
    }
    return i;
}

HFONT TemplateFont(UINT nDpi, int* pcxBase, int* pcyBase)
{
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(9, nDpi, 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"宋体");
    HFONT hFont = CreateFontIndirectW(&lf);
    // The font's base units, as the dialog manager takes them.
    HDC hdc = GetDC(NULL);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    TEXTMETRICW tm;
    GetTextMetricsW(hdc, &tm);
    SIZE ext;
    GetTextExtentPoint32W(hdc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &ext);
    SelectObject(hdc, hOld);
    ReleaseDC(NULL, hdc);
    *pcxBase = (ext.cx / 26 + 1) / 2;
    *pcyBase = tm.tmHeight;
    return hFont;
}

bool TemplateLayout()
{
    const char* pszLayout = getenv("VELTA_DLGMGR_LAYOUT");
    return pszLayout != NULL && lstrcmpA(pszLayout, "template") == 0;
}

// The window's size for a client area of the template's size in those units.
bool TemplateWindowSize(HWND hDlg, int cxBase, int cyBase, SIZE* pSize)
{
    ITEM item;
    SIZE dlg;
    if (TemplateItems(&item, 1, &dlg) == 0)
        return false;
    RECT rc = { 0, 0, MulDiv(dlg.cx, cxBase, 4), MulDiv(dlg.cy, cyBase, 8) };
    AdjustWindowRectEx(&rc, GetWindowLongW(hDlg, GWL_STYLE), FALSE, GetWindowLongW(hDlg, GWL_EXSTYLE));
    pSize->cx = rc.right - rc.left;
    pSize->cy = rc.bottom - rc.top;
    return true;
}

void Relayout(HWND hDlg, UINT nDpi)
{
    int cxBase, cyBase;
    HFONT hFont = TemplateFont(nDpi, &cxBase, &cyBase);
    bool bTemplate = TemplateLayout();
    ITEM items[64];
    SIZE dlg;
    int nItems = bTemplate ? TemplateItems(items, 64, &dlg) : 0;
    int i = 0;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT), ++i) {
        RECT rc;
        if (bTemplate && i < nItems) {
            SetRect(&rc, MulDiv(items[i].x, cxBase, 4), MulDiv(items[i].y, cyBase, 8), 0, 0);
            rc.right = rc.left + MulDiv(items[i].cx, cxBase, 4);
            rc.bottom = rc.top + MulDiv(items[i].cy, cyBase, 8);
        } else {
            GetWindowRect(h, &rc);
            MapWindowPoints(NULL, hDlg, (POINT*)&rc, 2);
            SetRect(&rc, MulDiv(rc.left, nDpi, s_nDpi), MulDiv(rc.top, nDpi, s_nDpi), MulDiv(rc.right, nDpi, s_nDpi),
                    MulDiv(rc.bottom, nDpi, s_nDpi));
        }
        SetWindowPos(h, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(h, WM_SETFONT, (WPARAM)hFont, TRUE);
    }
    SendMessageW(hDlg, WM_SETFONT, (WPARAM)hFont, FALSE);
    SIZE size;
    if (!bTemplate || !TemplateWindowSize(hDlg, cxBase, cyBase, &size)) {
        RECT rc;
        GetClientRect(hDlg, &rc);
        SetRect(&rc, 0, 0, MulDiv(rc.right, nDpi, s_nDpi), MulDiv(rc.bottom, nDpi, s_nDpi));
        AdjustWindowRectEx(&rc, GetWindowLongW(hDlg, GWL_STYLE), FALSE, GetWindowLongW(hDlg, GWL_EXSTYLE));
        size.cx = rc.right - rc.left;
        size.cy = rc.bottom - rc.top;
    }
    SetWindowPos(hDlg, NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (s_hFont != NULL)
        DeleteObject(s_hFont);
    s_hFont = hFont;
    s_nDpi = nDpi;
}

LRESULT CALLBACK DialogManager(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED)
        Relayout(hWnd, HIWORD(wParam));
    if (message == WM_GETDPISCALEDSIZE && TemplateLayout()) {
        int cxBase, cyBase;
        DeleteObject(TemplateFont((UINT)wParam, &cxBase, &cyBase));
        return TemplateWindowSize(hWnd, cxBase, cyBase, (SIZE*)lParam);
    }
    if (message == s_nIconsMsg) {
        SeeLogo(hWnd);
        Mark(0x1D, 2);
        return MAKELRESULT(IconWidth((HICON)SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0)),
                           IconWidth((HICON)SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0)));
    }
    if (message == WM_INITDIALOG)
        SeeLogo(hWnd);  // the template's, before the menu sees it
    if (message == WM_SETICON)
        Seen((HGDIOBJ)lParam, true);
    LRESULT lResult = CallWindowProcW(s_pfnOriginal, hWnd, message, wParam, lParam);
    if (message == WM_DPICHANGED)
        SeeLogo(hWnd);
    if (message == WM_NCDESTROY && s_hFont != NULL) {
        DeleteObject(s_hFont);
        s_hFont = NULL;
    }
    return lResult;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_hDlg == NULL) {
        HWND hWnd = (HWND)wParam;
        const CREATESTRUCTW* pcs = ((const CBT_CREATEWNDW*)lParam)->lpcs;
        wchar_t cls[16];
        if (GetClassNameW(hWnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0 && pcs->lpszName != NULL &&
            !IS_INTRESOURCE(pcs->lpszName) && lstrcmpW(pcs->lpszName, L"VELTA · 票据打印专家") == 0) {
            // Kept loaded: the dialog's procedure is here from now on.
            wchar_t szSelf[MAX_PATH];
            GetModuleFileNameW(s_hSelf, szSelf, MAX_PATH);
            LoadLibraryW(szSelf);
            s_hDlg = hWnd;
            HDC hdc = GetDC(NULL);
            s_nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
            ReleaseDC(NULL, hdc);
            s_nIconsMsg = RegisterWindowMessageW(L"VeltaDlgMgrIcons");
            LoadCursorW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(130));
            s_hSharedIcon = LoadIconW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(132));
            s_pfnOriginal = (WNDPROC)SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)DialogManager);
            Mark(0x1D, 1);
        }
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        s_hSelf = hInstance;
    if (dwReason == DLL_PROCESS_DETACH && s_hDlg != NULL)
        Mark((BYTE)Kept(), (BYTE)s_nSeen);
    return TRUE;
}
