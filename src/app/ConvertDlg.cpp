#include "app/ConvertDlg.h"

#include "shared/ConvertType.h"
#include "shared/SourceFilter.h"
#include "res/resource.h"

#include <shlobj.h>

CConvertDlg::CConvertDlg(CWnd* pParent)
    : CDialog(IDD_CONVERT_DIALOG, pParent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

const char* CConvertDlg::GetSourceFilter(int nDirection, int nKind) {
    return SourceFilterOf(nDirection, nKind);
}

int CConvertDlg::GetConvertType(int nDirection, int nKind) {
    return ConvertTypeOf(nDirection, nKind);
}

CString CConvertDlg::GetDefaultOutputDir() {
    CString path;
    LPITEMIDLIST pidl = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl)) && pidl != nullptr) {
        if (!SHGetPathFromIDListA(pidl, path.GetBuffer(MAX_PATH)))
            path.GetBuffer(MAX_PATH)[0] = '\0';
        path.ReleaseBuffer();
        CoTaskMemFree(pidl);
    }
    return path;
}

void CConvertDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_LIST_TREE, m_listTree);
    DDX_Control(pDX, IDC_SHELL_TREE, m_shellTree);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Radio(pDX, IDC_RADIO_WORD, m_nKind);
    DDX_Text(pDX, IDC_OUTPUT_DIR, m_strOutputDir);
}

BOOL CConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_shellTree.SetFilter(TRUE, GetSourceFilter(m_nDirection, m_nKind));
    m_strOutputDir = GetDefaultOutputDir();
    UpdateData(FALSE);
    return TRUE;
}
