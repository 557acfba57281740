#include "app/ConvertApp.h"

#include "app/ConvertDlg.h"

BOOL CConvertApp::InitInstance() {
    CConvertDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of our own: the application ends with the dialog.
    return FALSE;
}
