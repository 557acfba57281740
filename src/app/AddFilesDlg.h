#pragma once
#include "framework/CDialog.h"

class CConvertListTree;
class CShellTree;
class CWinThread;

// The modeless "添加文件" box of one add run: shows the path being searched and cancels the
// counting. It deletes itself when its window is gone.
class CAddFilesDlg : public CDialog {
public:
    CAddFilesDlg();

    CWinThread* StartAddThread(CShellTree* pSourceTree, CConvertListTree* pListTree,
                               const char* pszFilter, int nType);

    CWnd* m_pMainWnd = nullptr;
    CShellTree* m_pSourceTree = nullptr;

protected:
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnScanPath(WPARAM wParam, LPARAM lParam);
};
