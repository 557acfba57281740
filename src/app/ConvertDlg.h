#pragma once
#include "framework/CDialog.h"
#include "shared/ConvertType.h"
#include "listtree/CConvertListTree.h"
#include "shelltree/CShellTree.h"

// The main window: both trees, the direction and kind, the output folder and job control.
class CConvertDlg : public CDialog {
public:
    explicit CConvertDlg(CWnd* pParent = nullptr);

    // The source filter of a direction and kind, in open-file-dialog form.
    static const char* GetSourceFilter(int nDirection, int nKind);
    static int GetConvertType(int nDirection, int nKind);
    // The user's documents folder, or "" when it cannot be located.
    static CString GetDefaultOutputDir();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CConvertListTree m_listTree;
    CShellTree m_shellTree;
    CWnd m_progress;
    int m_nKind = 0;
    CString m_strOutputDir;
    HICON m_hIcon;
    int m_nDirection = DIR_OFFICE_TO_QOR;
};
