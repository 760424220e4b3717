// afxwide.h: every call to Windows that carries one of the menu's texts or
// paths, and the one choice between the A and the W function behind it.
//
// The program's texts are code page 936 bytes. On Windows 95, 98 and ME
// they go to the A functions as they are, which a Simplified Chinese
// edition reads. On the NT family they become UTF-16 through the 936 table
// and go to the W functions: they then read the same, and the disc's
// paths open, whatever the system's code page for non-Unicode programs. The
// family is the platform id of the one version query, made when the
// application starts. The W functions are looked up by name: Windows 95
// lacks some of them and has stubs that fail for most.
#pragma once
#include <windows.h>

// The version query (a zeroed 148-byte record) and, from it, the choice.
void AfxInitWide();
// That query's record; FALSE when it failed (the A functions are used).
BOOL AfxGetVersionInfo(OSVERSIONINFOA* pInfo);

// Windows and dialogs.
INT_PTR AfxDialogBoxParam(HINSTANCE hInstance, UINT nIDTemplate, HWND hWndOwner, DLGPROC pfnDlgProc,
                          LPARAM lParam);
// Sets a window's procedure; the one it replaces.
WNDPROC AfxSetWindowProc(HWND hWnd, WNDPROC pfnProc);
LRESULT AfxCallWindowProc(WNDPROC pfnProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
HWND AfxFindWindow(LPCSTR lpszClass, LPCSTR lpszTitle);

// Texts, in code page 936.
BOOL AfxSetWindowText(HWND hWnd, LPCSTR lpszText);
// At least the length in bytes of the window's text.
int AfxGetWindowTextLength(HWND hWnd);
int AfxGetWindowText(HWND hWnd, LPSTR lpszBuf, int cbBuf);
int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
BOOL AfxAppendMenu(HMENU hMenu, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem);
int AfxLoadString(HINSTANCE hInstance, UINT nID, LPSTR lpszBuf, int cbBuf);
int AfxDrawText(HDC hDC, LPCSTR lpszText, int nCount, LPRECT lpRect, UINT nFormat);
// A copy of hFont, its face name kept whole: at lfWeight unless that is 0,
// underlined or not.
HFONT AfxCreateFontLike(HFONT hFont, LONG lfWeight, BYTE lfUnderline);

// Paths and programs.
// A system DLL (SHELL32.DLL, WINSPOOL.DRV) from the system directory by its
// full path, never from the exe's folder or the current one.
HMODULE AfxLoadSystemLibraryUsingFullPath(LPCSTR lpszName);
// The exe's own folder made the current one.
BOOL AfxEnterExeFolder();
// GetFileAttributes: INVALID_FILE_ATTRIBUTES when there is nothing there.
DWORD AfxGetFileAttributes(LPCSTR lpszPath);
// GetSystemDirectory; 0 when it fails, does not fit or holds a character
// code page 936 lacks.
UINT AfxGetSystemDirectory(LPSTR lpszBuf, UINT cbBuf);
// WinExec's results: above 31 once the program has started. The started
// process's handle into *phProcess, for the caller to close.
UINT AfxWinExec(LPCSTR lpszCmdLine, UINT nCmdShow, HANDLE* phProcess);
// ShellExecute, through SHELL32.DLL by its full path; NULL without it.
HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile, LPCSTR lpszParameters,
                          LPCSTR lpszDirectory, int nShowCmd);
