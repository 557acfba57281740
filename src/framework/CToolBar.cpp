#include "framework/CToolBar.h"

#include "framework/CCmdUI.h"

#include <cstring>

namespace {

// MFC's RT_TOOLBAR: the resource type of a TOOLBAR statement, which the platform leaves unnamed.
const char* const RT_TOOLBAR = MAKEINTRESOURCEA(241);
constexpr WORD kToolBarVersion = 1;
// What a button adds to its image: the edges on each side and the step a pressed image moves.
constexpr SIZE kButtonFrame = {7, 7};
constexpr int kBottomBorder = 2; // the line CBRS_BORDER_BOTTOM draws under the buttons

template <typename T> T ReadAt(const BYTE* data, DWORD offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

// Header fields then one ID per button, all of type T, starting at offset.
template <typename T>
BOOL ParseFields(const BYTE* data, DWORD size, DWORD offset, ToolBarLayout& layout) {
    if (size < offset + 3 * sizeof(T))
        return FALSE;
    DWORD count = ReadAt<T>(data, offset + 2 * sizeof(T));
    if (size != offset + (3 + count) * sizeof(T))
        return FALSE;
    layout.sizeImage.cx = static_cast<LONG>(ReadAt<T>(data, offset));
    layout.sizeImage.cy = static_cast<LONG>(ReadAt<T>(data, offset + sizeof(T)));
    layout.ids.clear();
    for (DWORD i = 0; i < count; ++i)
        layout.ids.push_back(ReadAt<T>(data, offset + (3 + i) * sizeof(T)));
    return TRUE;
}

} // namespace

BOOL CToolBar::ParseToolBarResource(const BYTE* data, DWORD size, ToolBarLayout& layout) {
    if (data == nullptr)
        return FALSE;
    if (size >= sizeof(WORD) && ReadAt<WORD>(data, 0) == kToolBarVersion &&
        ParseFields<WORD>(data, size, sizeof(WORD), layout))
        return TRUE;
    return ParseFields<DWORD>(data, size, 0, layout);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, RECT rcBorders,
                        UINT nID) {
    m_dwBarStyle = dwStyle & ~(WS_CHILD | WS_VISIBLE);
    m_rcBorders = rcBorders;
    // The parent lays the bar out (RepositionBars), so the control must not place itself.
    DWORD style = (dwStyle & (WS_CHILD | WS_VISIBLE)) | dwCtrlStyle | CCS_NOPARENTALIGN |
                  CCS_NORESIZE | CCS_NODIVIDER;
    if (dwStyle & CBRS_TOOLTIPS)
        style |= TBSTYLE_TOOLTIPS;
    HWND hWnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, pParentWnd->m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr)
        return FALSE;
    SubclassWindow(hWnd);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    HRSRC hRes = FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), RT_TOOLBAR);
    HGLOBAL hData = hRes ? LoadResource(hInst, hRes) : nullptr;
    ToolBarLayout layout;
    if (hData == nullptr || !ParseToolBarResource(static_cast<const BYTE*>(LockResource(hData)),
                                                  SizeofResource(hInst, hRes), layout))
        return FALSE;

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : layout.ids) {
        TBBUTTON button = {};
        button.idCommand = static_cast<int>(id);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = id == 0 ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = id == 0 ? 0 : image++;
        buttons.push_back(button);
    }
    SetSizes({layout.sizeImage.cx + kButtonFrame.cx, layout.sizeImage.cy + kButtonFrame.cy},
             layout.sizeImage);
    TBADDBITMAP bitmap = {hInst, nIDResource};
    if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap)) <
        0)
        return FALSE;
    return SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) !=
           0;
}

int CToolBar::GetCount() const {
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const {
    return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                       reinterpret_cast<LPARAM>(pButton)) != 0;
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button = {};
    return GetButton(nIndex, &button) ? static_cast<UINT>(button.idCommand) : 0;
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON button = {};
    return GetButton(nIndex, &button) ? button.fsStyle : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
    info.fsStyle = static_cast<BYTE>(nStyle);
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

void CToolBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler) {
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!GetButton(i, &button) || (button.fsStyle & BTNS_SEP))
            continue;
        CCmdUI state(this, static_cast<UINT>(button.idCommand), i);
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

SIZE CToolBar::CalcFixedLayout(BOOL bStretch, BOOL) {
    DWORD buttonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    LONG height = HIWORD(buttonSize) + m_rcBorders.top + m_rcBorders.bottom;
    if (m_dwBarStyle & CBRS_BORDER_BOTTOM)
        height += kBottomBorder;
    RECT parent = {0, 0, 0, 0};
    if (bStretch)
        ::GetClientRect(GetParent(), &parent);
    return {parent.right - parent.left, height};
}
