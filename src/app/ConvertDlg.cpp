#include "app/ConvertDlg.h"

#include "about/CAboutDlg.h"
#include "convert/CConverter.h"
#include "framework/CCmdUI.h"
#include "framework/MbcsText.h"
#include "res/resource.h"
#include "shared/ConvertTable.h"
#include "shared/UserMessages.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr UINT kBarIdFirst = 0xE800;
constexpr UINT kBarIdLast = 0xE8FF;
constexpr SIZE kButtonSize = {55, 55};
constexpr SIZE kImageSize = {48, 48};
constexpr COLORREF kMaskColour = RGB(192, 192, 192);

} // namespace

CConvertDlg::CConvertDlg(CWnd* pParent)
    : CDialog(IDD_CONVERT_DIALOG, pParent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

CString CConvertDlg::GetSourceFilter(int nDirection, int nKind) {
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
    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        CString about;
        if (about.LoadString(IDS_ABOUTBOX) && !about.IsEmpty()) {
            AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    EnableToolTips(TRUE);
    if (!CreateToolBar())
        return FALSE;
    m_shellTree.SetFilter(TRUE, GetSourceFilter(m_nDirection, m_nKind));
    m_strOutputDir = GetDefaultOutputDir();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CConvertDlg::CreateToolBar() {
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | CCS_NOMOVEY,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                                   CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               {0, 0, 0, 0}, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TOOLBAR))
        return FALSE;
    m_wndToolBar.SetButtonStyle(0, m_wndToolBar.GetButtonStyle(0) | TBBS_CHECKGROUP);

    m_imageList.Create(kImageSize.cx, kImageSize.cy, ILC_COLOR24 | ILC_MASK, 3, 0);
    HBITMAP images =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR32),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    m_imageList.Add(images, kMaskColour);
    if (images != nullptr)
        DeleteObject(images);
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0,
                             reinterpret_cast<LPARAM>(m_imageList.GetSafeHandle()));
    m_wndToolBar.SetSizes(kButtonSize, kImageSize);

    RECT rcClientStart, rcClientNow;
    GetClientRect(&rcClientStart);
    RepositionBars(kBarIdFirst, kBarIdLast, 0, reposQuery, &rcClientNow);
    POINT offset = {rcClientNow.left - rcClientStart.left, rcClientNow.top - rcClientStart.top};
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        ::SetWindowPos(child, nullptr, rc.left + offset.x, rc.top + offset.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    int grow_x =
        (rcClientStart.right - rcClientStart.left) - (rcClientNow.right - rcClientNow.left);
    int grow_y =
        (rcClientStart.bottom - rcClientStart.top) - (rcClientNow.bottom - rcClientNow.top);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left + grow_x,
                   rcWindow.bottom - rcWindow.top + grow_y,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    RepositionBars(kBarIdFirst, kBarIdLast, 0);
    return TRUE;
}

BOOL CConvertDlg::ContinueModal() {
    if (m_wndToolBar.m_hWnd != nullptr && m_wndToolBar.IsWindowVisible() &&
        m_wndToolBar.GetParent() != nullptr)
        m_wndToolBar.OnUpdateCmdUI(this, TRUE);
    return CDialog::ContinueModal();
}

BOOL CConvertDlg::OnUpdateCommandUI(CCmdUI* pCmdUI) {
    if (pCmdUI->m_nID == ID_DIR_QOR_TO_OFFICE)
        OnUpdateDirectionQorToOffice(pCmdUI);
    else if (pCmdUI->m_nID == ID_DIR_OFFICE_TO_QOR)
        OnUpdateDirectionOfficeToQor(pCmdUI);
    else
        return FALSE;
    return TRUE;
}

BOOL CConvertDlg::HasCommandHandler(UINT nID) const {
    return nID == ID_DIR_QOR_TO_OFFICE || nID == ID_DIR_OFFICE_TO_QOR || nID == ID_APP_ABOUT;
}

BOOL CConvertDlg::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case ID_DIR_QOR_TO_OFFICE:
        OnDirectionQorToOffice();
        break;
    case ID_DIR_OFFICE_TO_QOR:
        OnDirectionOfficeToQor();
        break;
    case ID_APP_ABOUT:
        OnAbout();
        break;
    case IDC_RADIO_WORD:
        OnKindDocument();
        break;
    case IDC_RADIO_EXCEL:
        OnKindSpreadsheet();
        break;
    case IDC_ADD:
        OnAddFiles();
        break;
    case IDC_REMOVE:
        OnRemoveFiles();
        break;
    case IDC_BROWSE:
        OnBrowseFolder();
        break;
    case IDC_START:
        OnStartConvert();
        break;
    case IDC_STOP:
        OnStopConvert();
        break;
    case IDOK:
        OnCloseButton();
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

LRESULT CConvertDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_PAINT:
        if (!IsIconic())
            break;
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_CLOSE:
        OnClose();
        return 0;
    case UWM_ITEM_CONVERTED:
        return OnItemConverted(wParam, lParam);
    case UWM_CONVERT_STATE:
        return OnConvertState(wParam, lParam);
    case UWM_LIST_COUNT:
        return OnListCount(wParam, lParam);
    case UWM_IS_ITEM_CHECKED:
        return OnIsItemChecked(wParam, lParam);
    case UWM_FILE_FAILED:
        return OnFileFailed(reinterpret_cast<const char*>(lParam));
    case UWM_LOG_LINE_LOST:
        m_lostLogLines.push_back(reinterpret_cast<const char*>(lParam));
        return 1;
    case UWM_JOB_NOTICE:
        OnJobNotice();
        return 0;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

void CConvertDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

void CConvertDlg::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rc;
    GetClientRect(&rc);
    int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &ps);
}

BOOL CConvertDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == TTN_NEEDTEXTA) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        UINT_PTR id = hdr->idFrom;
        tip->szText[0] = '\0';
        if (!(tip->uFlags & TTF_IDISHWND) &&
            (id == ID_DIR_QOR_TO_OFFICE || id == ID_DIR_OFFICE_TO_QOR || id == ID_APP_ABOUT)) {
            CString text;
            text.LoadString(static_cast<UINT>(id));
            lstrcpyA(tip->szText, mbcs::KeepHead(text.str(), sizeof(tip->szText) - 1).c_str());
        }
        if (OnToolTipNotify(hdr, pResult))
            return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CConvertDlg::OnToolTipNotify(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* tip = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    if (!(tip->uFlags & TTF_IDISHWND))
        return FALSE;
    int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom));
    if (id == 0)
        return FALSE;
    tip->lpszText = MAKEINTRESOURCEA(id);
    tip->hinst = GetModuleHandleA(nullptr);
    *pResult = 0;
    return TRUE;
}

BOOL CConvertDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        ShowWindow(SW_MINIMIZE);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        ::SetFocus(GetDlgItem(IDC_OUTPUT_DIR));
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CConvertDlg::OnClose() {
    ShowWindow(SW_MINIMIZE);
}

// Only the Close button ends the program; a cancel from anywhere else minimizes like Esc.
void CConvertDlg::OnCancel() {
    ShowWindow(SW_MINIMIZE);
}

void CConvertDlg::OnAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}

void CConvertDlg::OnUpdateDirectionQorToOffice(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(m_nDirection == DIR_QOR_TO_OFFICE);
}

void CConvertDlg::OnUpdateDirectionOfficeToQor(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(m_nDirection == DIR_OFFICE_TO_QOR);
}

void CConvertDlg::SwitchDirection(int nDirection) {
    if (m_nDirection == nDirection)
        return;
    m_nDirection = nDirection;
    bool qor = nDirection == DIR_QOR_TO_OFFICE;
    CString label;
    label.LoadString(qor ? IDS_LABEL_QOR : IDS_LABEL_WORD);
    SetDlgItemText(IDC_RADIO_WORD, label);
    label.LoadString(qor ? IDS_LABEL_LX : IDS_LABEL_EXCEL);
    SetDlgItemText(IDC_RADIO_EXCEL, label);
    m_shellTree.SetFilter(TRUE, GetSourceFilter(m_nDirection, m_nKind));
}

void CConvertDlg::SwitchKind(int nKind) {
    if (m_nKind == nKind)
        return;
    m_nKind = nKind;
    m_shellTree.SetFilter(TRUE, GetSourceFilter(m_nDirection, m_nKind));
}
