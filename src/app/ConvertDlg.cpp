#include "app/ConvertDlg.h"

#include "res/resource.h"

CConvertDlg::CConvertDlg(CWnd* pParent)
    : CDialog(IDD_CONVERT_DIALOG, pParent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

BOOL CConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

LRESULT CConvertDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CDialog::WindowProc(msg, wParam, lParam);
}
