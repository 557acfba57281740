#include "framework/CDialog.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

BOOL CDialog::CreateFromTemplate(HWND hParent) {
    HWND hWnd =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), hParent,
                           &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    bool parentWasEnabled = hParent != nullptr && ::IsWindowEnabled(hParent);
    if (parentWasEnabled)
        ::EnableWindow(hParent, FALSE);
    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (CreateFromTemplate(hParent)) {
        if (m_bContinueModal) {
            // A template without WS_VISIBLE is shown once it is initialised, as MFC does.
            if (!IsWindowVisible())
                ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        if (hParent != nullptr) {
            ::EnableWindow(hParent, parentWasEnabled);
            ::SetActiveWindow(hParent);
        }
        DestroyWindow();
    } else if (parentWasEnabled) {
        ::EnableWindow(hParent, TRUE);
    }
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (ContinueModal()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the loop outside this one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
    for (HWND h = pMsg->hwnd; h != nullptr; h = GetAncestor(h, GA_PARENT)) {
        if (auto* dlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(h)))
            return dlg->PreTranslateMessage(pMsg);
        if (h == GetDesktopWindow())
            break;
    }
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    FilterToolTipMessage(pMsg);
    return m_hWnd != nullptr && IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bContinueModal = FALSE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else {
        DestroyWindow();
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY)
        m_bContinueModal = FALSE;
    if (msg != WM_COMMAND)
        return CWnd::WindowProc(msg, wParam, lParam);
    if (OnCommand(wParam, lParam))
        return 0;
    if (LOWORD(wParam) == IDOK)
        OnOK();
    else if (LOWORD(wParam) == IDCANCEL)
        OnCancel();
    else
        return DefWindowProc(msg, wParam, lParam);
    return 0;
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hWnd, UINT msg, WPARAM, LPARAM lParam) {
    // The dialog manager's own procedure stays underneath; everything else reaches WindowProc.
    if (msg != WM_INITDIALOG)
        return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->SubclassWindow(hWnd);
    return self->OnInitDialog();
}
