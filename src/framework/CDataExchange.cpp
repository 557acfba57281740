#include "framework/CDataExchange.h"

#include "framework/CWnd.h"

#include <vector>

namespace {

bool IsRadioButton(HWND hWnd) {
    if (SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        return true;
    LONG type = GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The buttons of the group that starts at first: siblings up to the next WS_GROUP control.
std::vector<HWND> RadioGroup(HWND first) {
    std::vector<HWND> group;
    for (HWND h = first; h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (GetWindowLongA(h, GWL_STYLE) & WS_GROUP))
            break;
        if (IsRadioButton(h))
            group.push_back(h);
    }
    return group;
}

} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd == nullptr)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
    else
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    std::vector<HWND> group = RadioGroup(pDX->m_pDlgWnd->GetDlgItem(nIDC));
    if (pDX->m_bSaveAndValidate)
        value = -1;
    for (size_t i = 0; i < group.size(); ++i) {
        if (pDX->m_bSaveAndValidate) {
            if (SendMessageA(group[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = static_cast<int>(i);
        } else {
            WPARAM state = static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED;
            SendMessageA(group[i], BM_SETCHECK, state, 0);
        }
    }
}
