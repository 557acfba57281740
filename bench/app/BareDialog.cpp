// A program that does nothing but show a dialog: the floor of the start-up benchmark, compiled,
// linked and given its manifest as the program is. Built twice: with a dialog of one button, and
// with the program's own main-window template, whose controls then cost what they cost with no
// code of the program's behind them.
#include <windows.h>

#include <commctrl.h>

#ifdef BARE_TEMPLATE
#include "res/resource.h"
#else
#define BARE_TEMPLATE 100
#endif

namespace {

INT_PTR CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    return static_cast<int>(
        DialogBoxParamA(hInstance, MAKEINTRESOURCEA(BARE_TEMPLATE), nullptr, BareProc, 0));
}
