// The baseline of the measurements: a bare Win32 program that shows the
// menu's own dialog template and does nothing else.
#include <windows.h>

static INT_PTR CALLBACK BaselineProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return (int)DialogBoxParamA(hInstance, MAKEINTRESOURCEA(102), NULL, BaselineProc, 0);
}
