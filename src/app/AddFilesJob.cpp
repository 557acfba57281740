#include "app/AddFilesJob.h"

#include "listtree/CConvertListTree.h"
#include "shared/UserMessages.h"
#include "shelltree/CShellTree.h"

UINT AddFilesThreadProc(LPVOID pParam) {
    auto* job = static_cast<AddFilesJob*>(pParam);
    CShellTree* sourceTree = job->pSourceTree;
    int total = 0;
    // The list paints its new entries once, at the end of the run.
    job->pListTree->SetRedraw(FALSE);
    for (HTREEITEM item = sourceTree->GetFirstSelectedItem(); item != nullptr;
         item = sourceTree->GetNextSelectedItem(item)) {
        CString path = sourceTree->GetItemPath(item);
        int count = sourceTree->CountItemFiles(item, job->strFilter, job->hDlg);
        if (sourceTree->m_bContinue == 0)
            break;
        if (job->pListTree->AddEntry(path, job->nType, count) != nullptr)
            total += count;
    }
    sourceTree->ShowLastScanPath(job->hDlg);
    job->pListTree->SetRedraw(TRUE);
    job->pListTree->Invalidate();
    job->pMainWnd->SendMessage(UWM_LIST_COUNT, 0, total);
    SendMessageA(job->hDlg, WM_COMMAND, IDCANCEL, 0);
    delete job;
    return 0;
}
