#include "dialog_driver.h"
#include "framework/afxwin.h"

namespace {

struct Script
{
    CDialog* pDlg;
    const std::vector<Step>* pSteps;
    size_t nNext;
    DWORD dwDeadline;
    bool bFinished;
    bool bGaveUp;
    UINT_PTR nTimer;
    bool bInStep;
};

Script* s_pScript = NULL;

BOOL CALLBACK CloseOther(HWND hWnd, LPARAM lParam)
{
    if (hWnd != (HWND)lParam && ::IsWindowVisible(hWnd)) {
        // A box with No but no Cancel ignores WM_CLOSE.
        ::PostMessageA(hWnd, WM_COMMAND, IDNO, 0);
        ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

void CloseDialog(HWND hDlg)
{
    // Boxes and nested dialogs first: the menu's loop ends only after theirs.
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseOther, (LPARAM)hDlg);
    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    Script* s = s_pScript;
    if (s == NULL || s->bInStep)
        return;  // a step that pumps a nested loop gets no re-entry
    HWND hDlg = s->pDlg->m_hWnd;
    if (hDlg == NULL || !::IsWindow(hDlg))
        return;
    if (s->bFinished || s->bGaveUp) {
        CloseDialog(hDlg);
        return;
    }
    if (::GetTickCount() > s->dwDeadline) {
        s->bGaveUp = true;
        CloseDialog(hDlg);
        return;
    }
    s->bInStep = true;
    while (s->nNext < s->pSteps->size() && (*s->pSteps)[s->nNext](hDlg))
        ++s->nNext;
    s->bInStep = false;
    if (s->nNext == s->pSteps->size())
        s->bFinished = true;
}

BOOL CALLBACK FindOwned(HWND hWnd, LPARAM lParam)
{
    HWND* p = (HWND*)lParam;
    if (::GetWindow(hWnd, GW_OWNER) == p[0] && ::IsWindowVisible(hWnd)) {
        p[1] = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DriveResult RunDialog(CDialog& dlg, const std::vector<Step>& steps, DWORD dwDeadlineMs)
{
    Script script = { &dlg, &steps, 0, ::GetTickCount() + dwDeadlineMs, false, false, 0, false };
    s_pScript = &script;
    script.nTimer = ::SetTimer(NULL, 0, 10, OnTick);
    // As the application does: the menu is the main window while it runs.
    CWinApp* pApp = AfxGetApp();
    CWnd* pOldMain = pApp->m_pMainWnd;
    pApp->m_pMainWnd = &dlg;
    DriveResult r;
    r.nModalResult = dlg.DoModal();
    pApp->m_pMainWnd = pOldMain;
    ::KillTimer(NULL, script.nTimer);
    s_pScript = NULL;
    r.bFinished = script.bFinished;
    if (!r.bFinished)
        r.strStuckAt = "step " + std::to_string(script.nNext + 1) + " of " + std::to_string(steps.size());
    // Pending timer messages of a killed timer must not reach a later run.
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_TIMER, WM_TIMER, PM_REMOVE)) {}
    return r;
}

std::string WindowTextA(HWND hWnd)
{
    int n = ::GetWindowTextLengthA(hWnd);
    std::string s(n + 1, '\0');
    n = ::GetWindowTextA(hWnd, &s[0], n + 1);
    s.resize(n);
    return s;
}

std::wstring WindowTextW(HWND hWnd)
{
    int n = ::GetWindowTextLengthW(hWnd);
    std::wstring s(n + 1, L'\0');
    n = ::GetWindowTextW(hWnd, &s[0], n + 1);
    s.resize(n);
    return s;
}

std::string Cp936(const wchar_t* psz)
{
    int n = ::WideCharToMultiByte(936, 0, psz, -1, NULL, 0, NULL, NULL);
    std::string s(n, '\0');
    ::WideCharToMultiByte(936, 0, psz, -1, &s[0], n, NULL, NULL);
    s.resize(n - 1);
    return s;
}

HWND FindOwnedWindow(HWND hOwner)
{
    HWND a[2] = { hOwner, NULL };
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOwned, (LPARAM)a);
    return a[1];
}
