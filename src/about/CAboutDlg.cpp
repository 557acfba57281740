#include "about/CAboutDlg.h"

#include "about/ShellOpen.h"
#include "framework/CWinApp.h"
#include "res/resource.h"

namespace {

// The product name sits here in the lowest kLabelBandHeight pixels of the picture; a taller
// picture pushes all labels down by the difference.
const POINT kSoftNameOrigin = {10, 25};
const int kLabelBandHeight = 120;

// A rectangle in pixels as it would be with the usual dialog base units of 8 and 16.
RECT Normalise(RECT rc, LONG baseUnits) {
    int bx = LOWORD(baseUnits), by = HIWORD(baseUnits);
    return {MulDiv(rc.left, 8, bx), MulDiv(rc.top, 16, by), MulDiv(rc.right, 8, bx),
            MulDiv(rc.bottom, 16, by)};
}

RECT NormalisedWindowRect(HWND hWnd, LONG baseUnits) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return Normalise(rc, baseUnits);
}

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

HFONT CreateLabelFont() {
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lstrcpynA(lf.lfFaceName, "宋体", LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

// Where a box of cx by cy pixels sits centred over its owner, or over the work area without one.
POINT CentredOrigin(HWND hOwner, int cx, int cy) {
    RECT area;
    if (hOwner == nullptr || !::GetWindowRect(hOwner, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left + (area.right - area.left - cx) / 2,
            area.top + (area.bottom - area.top - cy) / 2};
}

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, AfxGetMainWnd()), m_font(CreateLabelFont()) {}

CAboutDlg::~CAboutDlg() {
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

HBITMAP CAboutDlg::LoadPicture() const {
    return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT));
}

BOOL CAboutDlg::OnInitDialog() {
    LoadTexts();
    BITMAP picture = {};
    GetObjectA(m_bitmap, sizeof(picture), &picture);
    int offset = picture.bmHeight > kLabelBandHeight ? picture.bmHeight - kLabelBandHeight : 0;
    LayOutChildren(offset);
    AttachLinks();
    SetTexts();
    SizeToPicture(picture.bmWidth, picture.bmHeight);
    return CDialog::OnInitDialog();
}

void CAboutDlg::LoadTexts() {
    m_strSoftName = LoadText(IDS_SOFTNAME);
    m_strVersion = LoadText(IDS_VERSION);
    m_strHomePage = LoadText(IDS_HOMEPAGE);
    m_strSupport = LoadText(IDS_SUPPORT);
    m_bitmap = LoadPicture();
    m_strCopyright = LoadText(IDS_COPYRIGHT);
    m_strCompany = LoadText(IDS_COMPANY);
    m_strProductHomePage = LoadText(IDS_PRODUCT_HOMEPAGE);
}

// Every label keeps its distance from the product name, which lands at kSoftNameOrigin, and all
// of them move down by nOffset to stand over the picture's lower band.
void CAboutDlg::LayOutChildren(int nOffset) {
    LONG baseUnits = GetBaseUnits();
    RECT anchor = NormalisedWindowRect(GetDlgItem(IDC_SOFTNAME), baseUnits);
    int dx = kSoftNameOrigin.x - anchor.left, dy = kSoftNameOrigin.y - anchor.top;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd label(child);
        label.SetFont(m_font, TRUE);
        RECT rc = NormalisedWindowRect(child, baseUnits);
        OffsetRect(&rc, dx, dy);
        rc.top += nOffset;
        rc.bottom += nOffset;
        label.MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
}

void CAboutDlg::AttachLinks() {
    m_linkHomePage.SubclassDlgItem(IDC_HOMEPAGE, this);
    m_linkSupport.SubclassDlgItem(IDC_SUPPORT, this);
    m_linkProductHomePage.SubclassDlgItem(IDC_PRODUCT_HOMEPAGE, this);
}

void CAboutDlg::SetTexts() {
    SetDlgItemText(IDC_SOFTNAME, m_strSoftName);
    SetDlgItemText(IDC_VERSION, m_strVersion);
    SetDlgItemText(IDC_COPYRIGHT, m_strCopyright);
    SetDlgItemText(IDC_COMPANY, m_strCompany);
    SetDlgItemText(IDC_HOMEPAGE, m_strHomePage);
    SetDlgItemText(IDC_PRODUCT_HOMEPAGE, m_strProductHomePage);
    SetDlgItemText(IDC_SUPPORT, m_strSupport);
}

// The window becomes exactly as large as the picture, centred over the window that owns it.
void CAboutDlg::SizeToPicture(int cx, int cy) {
    POINT origin = CentredOrigin(::GetWindow(m_hWnd, GW_OWNER), cx, cy);
    m_rcWindow = {origin.x, origin.y, origin.x + cx, origin.y + cy};
    MoveWindow(origin.x, origin.y, cx, cy, TRUE);
}

LRESULT CAboutDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(msg, wParam, lParam);
    default:
        return CDialog::WindowProc(msg, wParam, lParam);
    }
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != STN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_HOMEPAGE:
        OnHomePage();
        return TRUE;
    case IDC_SUPPORT:
        OnSupport();
        return TRUE;
    case IDC_PRODUCT_HOMEPAGE:
        OnProductHomePage();
        return TRUE;
    default:
        return FALSE;
    }
}

void CAboutDlg::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_bitmap);
    BitBlt(dc, 0, 0, m_rcWindow.right - m_rcWindow.left, m_rcWindow.bottom - m_rcWindow.top, memory,
           0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(m_hWnd, &ps);
}

void CAboutDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
    EndDialog(IDOK);
}

// The labels draw their text straight onto the picture: no background of their own.
LRESULT CAboutDlg::OnCtlColor(UINT msg, WPARAM wParam, LPARAM lParam) {
    DefWindowProc(msg, wParam, lParam);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void CAboutDlg::OnHomePage() {
    OpenLinkAndClose(GetDlgItemText(IDC_HOMEPAGE));
}

void CAboutDlg::OnSupport() {
    OpenLinkAndClose("mailto:" + GetDlgItemText(IDC_SUPPORT));
}

// The product page is drawn and hovers like the other links, so it opens like them too.
void CAboutDlg::OnProductHomePage() {
    OpenLinkAndClose(GetDlgItemText(IDC_PRODUCT_HOMEPAGE));
}

// Whatever the shell answers, the box closes.
void CAboutDlg::OpenLinkAndClose(const CString& address) {
    CWnd* main = AfxGetMainWnd();
    ShellOpen(main ? main->m_hWnd : nullptr, address);
    PostMessage(WM_COMMAND, IDOK);
}
