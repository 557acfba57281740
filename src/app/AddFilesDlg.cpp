#include "app/AddFilesDlg.h"

#include "app/AddFilesJob.h"
#include "framework/CWinThread.h"
#include "res/resource.h"
#include "shared/UserMessages.h"
#include "shelltree/CShellTree.h"

#include <new>

CAddFilesDlg::CAddFilesDlg() : CDialog(IDD_ADDFILES) {}

void CAddFilesDlg::PostNcDestroy() {
    delete this;
}

BOOL CAddFilesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pMainWnd = CWnd::FromHandlePermanent(GetParent());
    return TRUE;
}

CWinThread* CAddFilesDlg::StartAddThread(CShellTree* pSourceTree, CConvertListTree* pListTree,
                                         const char* pszFilter, int nType) {
    auto* job = new (std::nothrow) AddFilesJob;
    if (job == nullptr)
        return nullptr;
    job->pMainWnd = m_pMainWnd;
    job->hDlg = m_hWnd;
    job->nType = nType;
    job->pListTree = pListTree;
    job->pSourceTree = pSourceTree;
    m_pSourceTree = pSourceTree;
    pSourceTree->m_bContinue = 1;
    job->strFilter = pszFilter;
    CWinThread* thread = AfxBeginThread(AddFilesThreadProc, job);
    if (thread == nullptr)
        delete job;
    return thread;
}

// The user's Cancel stops the counting and takes the box off the screen at once, but only the
// add thread's own final Cancel destroys the window: until then its handle cannot be reused by
// another window that the thread's last command would reach. That final Cancel leaves the scan
// flag alone: its count is over, and ">>" pressed as soon as the main window came back may have
// started a new count that the flag now belongs to.
void CAddFilesDlg::OnCancel() {
    bool fromAddThread = (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND;
    if (fromAddThread || m_pSourceTree == nullptr) {
        DestroyWindow();
        return;
    }
    m_pSourceTree->m_bContinue = 0;
    ShowWindow(SW_HIDE);
}

LRESULT CAddFilesDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_SCAN_PATH)
        return OnScanPath(wParam, lParam);
    return CDialog::WindowProc(msg, wParam, lParam);
}

LRESULT CAddFilesDlg::OnScanPath(WPARAM, LPARAM) {
    if (m_pSourceTree != nullptr)
        SetDlgItemText(IDC_SCAN_PATH, m_pSourceTree->GetScanPath());
    return 1;
}
