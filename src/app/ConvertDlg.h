#pragma once
#include "framework/CDialog.h"
#include "framework/CHandle.h"
#include "framework/CImageList.h"
#include "framework/CProgressCtrl.h"
#include "framework/CToolBar.h"
#include "listtree/CConvertListTree.h"
#include "shared/ConvertType.h"
#include "shelltree/CShellTree.h"

#include <vector>

class CConverter;

// The main window: both trees, the direction and kind, the output folder and job control.
class CConvertDlg : public CDialog {
public:
    explicit CConvertDlg(CWnd* pParent = nullptr);
    ~CConvertDlg() override;

    // The source filter of a direction and kind, in open-file-dialog form.
    static CString GetSourceFilter(int nDirection, int nKind);
    static int GetConvertType(int nDirection, int nKind);
    // The user's documents folder, or "" when it cannot be located.
    static CString GetDefaultOutputDir();
    // Creates path and the folders above it, parent first; TRUE when it exists afterwards.
    static BOOL CreateDirTree(const CString& path);

protected:
    BOOL ContinueModal() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnUpdateCommandUI(CCmdUI* pCmdUI) override;
    BOOL HasCommandHandler(UINT nID) const override;

    // The frame.
    BOOL CreateToolBar();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    BOOL OnToolTipNotify(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClose();
    void OnAbout();

    // Directions and kinds.
    void OnDirectionQorToOffice() { SwitchDirection(DIR_QOR_TO_OFFICE); }
    void OnDirectionOfficeToQor() { SwitchDirection(DIR_OFFICE_TO_QOR); }
    void OnKindDocument() { SwitchKind(0); }
    void OnKindSpreadsheet() { SwitchKind(1); }
    void OnUpdateDirectionQorToOffice(CCmdUI* pCmdUI);
    void OnUpdateDirectionOfficeToQor(CCmdUI* pCmdUI);
    void SwitchDirection(int nDirection);
    void SwitchKind(int nKind);

    // Job control.
    void OnBrowseFolder();
    void OnStartConvert();
    void OnStopConvert();
    void OnCloseButton();
    LRESULT OnItemConverted(WPARAM wParam, LPARAM lParam);
    LRESULT OnConvertState(WPARAM wParam, LPARAM lParam);
    LRESULT OnListCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnIsItemChecked(WPARAM wParam, LPARAM lParam);
    LRESULT OnFileFailed(const char* source);
    void OnJobNotice();
    BOOL StartLog(CConverter& converter);
    BOOL CheckOutputDir(const CString& folder);
    DWORD StopThread(HANDLE hThread, DWORD nTimeout);
    void UpdateFileCount(int nCount);
    BOOL StartWorker(struct ConvertJob* pJob);
    BOOL IsWorkerRunning() const;
    void EnableJobControls(BOOL bEnable);

    // Adding and removing.
    void OnAddFiles();
    void OnRemoveFiles();

    CConvertListTree m_listTree;
    CShellTree m_shellTree;
    CProgressCtrl m_progress;
    int m_nKind = 0;
    CString m_strOutputDir;
    HICON m_hIcon;
    CToolBar m_wndToolBar;
    int m_nDirection = DIR_OFFICE_TO_QOR;
    CImageList m_imageList;
    CConverter* m_pConverter = nullptr;
    int m_nFileCount = 0;
    // The last worker: its own handle and ID, valid after the thread object has deleted itself.
    CHandle m_hWorkerThread;
    DWORD m_nWorkerThreadID = 0;
    int m_nDoneCount = 0;
    // From Start until the worker's started message: a repeated Start is refused meanwhile.
    BOOL m_bJobStarting = FALSE;
    // The last job's failures, its log and the failures that its log could not take.
    int m_nFailedCount = 0;
    CString m_strLogPath;
    std::vector<CString> m_lostLogLines;
};
