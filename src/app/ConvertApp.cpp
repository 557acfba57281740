#include "app/ConvertApp.h"

#include "app/ConvertDlg.h"

#include <ole2.h>

BOOL CConvertApp::InitInstance() {
    // The folder picker and the shell namespace need a single-threaded apartment.
    HRESULT ole = OleInitialize(nullptr);
    {
        CConvertDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    if (SUCCEEDED(ole))
        OleUninitialize();
    // No message loop of our own: the application ends with the dialog.
    return FALSE;
}
