// dialog_driver.h: runs a real modal dialog and drives it from inside its
// own modal loop, one step per 10 ms tick of a thread timer.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class CDialog;

// A step returns true when it is done; false to be called again next tick
// (a wait). The whole script has a deadline; past it the dialog is closed
// and the run reports failure.
typedef std::function<bool(HWND hDlg)> Step;

struct DriveResult
{
    INT_PTR nModalResult = -1;
    bool bFinished = false;      // every step ran before the deadline
    std::string strStuckAt;      // otherwise, which step
};

DriveResult RunDialog(CDialog& dlg, const std::vector<Step>& steps, DWORD dwDeadlineMs = 10000);

// Text helpers: the window's text as the program's bytes, and a Unicode
// expected text in code page 936.
std::string WindowTextA(HWND hWnd);
std::wstring WindowTextW(HWND hWnd);
std::string Cp936(const wchar_t* psz);

// The thread's top-level window owned by hOwner, or NULL.
HWND FindOwnedWindow(HWND hOwner);
