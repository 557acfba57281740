#include "framework/CWnd.h"

#include <commctrl.h>

#include <unordered_map>
#include <vector>

namespace {

// The object of every subclassed window of the process. Every message looks its window up here,
// so the lookup stays in the process (a window property would ask the window server each time);
// windows of several threads use it at once.
class HandleMap {
public:
    CWnd* Lookup(HWND hWnd) {
        AcquireSRWLockShared(&m_lock);
        auto it = m_objects.find(hWnd);
        CWnd* object = it == m_objects.end() ? nullptr : it->second;
        ReleaseSRWLockShared(&m_lock);
        return object;
    }
    // FALSE when another object already has the window.
    BOOL Add(HWND hWnd, CWnd* object) {
        AcquireSRWLockExclusive(&m_lock);
        BOOL added = m_objects.emplace(hWnd, object).second;
        ReleaseSRWLockExclusive(&m_lock);
        return added;
    }
    void Remove(HWND hWnd, CWnd* object) {
        AcquireSRWLockExclusive(&m_lock);
        auto it = m_objects.find(hWnd);
        if (it != m_objects.end() && it->second == object)
            m_objects.erase(it);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_objects;
};

// Never destroyed: a window object of static storage may still leave it at exit.
HandleMap& Permanent() {
    static HandleMap* map = new HandleMap;
    return *map;
}

} // namespace

CWnd::~CWnd() {
    if (m_pfnSuper != nullptr && m_hWnd != nullptr && IsWindow(m_hWnd))
        UnsubclassWindow();
    else if (m_hWnd != nullptr)
        Permanent().Remove(m_hWnd, this);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? Permanent().Lookup(hWnd) : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (hWnd == nullptr || m_pfnSuper != nullptr || !Permanent().Add(hWnd, this))
        return FALSE;
    m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && m_pfnSuper != nullptr) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Permanent().Remove(hWnd, this);
    }
    m_pfnSuper = nullptr;
    m_hWndParentTip = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(hWnd);
    if (self == nullptr)
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);
    if (self->m_hWndParentTip != nullptr)
        self->RelayToParentTip(msg, wParam, lParam);
    if (msg != WM_NCDESTROY)
        return self->WindowProc(msg, wParam, lParam);
    LRESULT result = self->WindowProc(msg, wParam, lParam);
    self->UnsubclassWindow();
    self->PostNcDestroy();
    return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        break;
    }
    default:
        break;
    }
    return DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    CWnd* child = hdr ? FromHandlePermanent(hdr->hwndFrom) : nullptr;
    return child != nullptr && child != this &&
           child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

CString CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buf(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(m_hWnd, buf.data(), length + 1);
    return CString(buf.data(), copied);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}
HWND CWnd::GetDlgItem(int nID) const {
    return ::GetDlgItem(m_hWnd, nID);
}
void CWnd::SetDlgItemText(int nID, const char* text) {
    ::SetDlgItemTextA(m_hWnd, nID, text);
}
CString CWnd::GetDlgItemText(int nID) const {
    return CWnd(GetDlgItem(nID)).GetWindowText();
}
HWND CWnd::GetParent() const {
    return ::GetParent(m_hWnd);
}
HWND CWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    return TRUE;
}

void CWnd::GetClientRect(RECT* rc) const {
    ::GetClientRect(m_hWnd, rc);
}
void CWnd::GetWindowRect(RECT* rc) const {
    ::GetWindowRect(m_hWnd, rc);
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
}

void CWnd::SetFont(HFONT font, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), bRedraw);
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::SetRedraw(BOOL bRedraw) {
    SendMessage(WM_SETREDRAW, bRedraw, 0);
}

SIZE CWnd::CalcFixedLayout(BOOL, BOOL) {
    return {0, 0};
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                          RECT* lpRectParam) {
    RECT layout;
    GetClientRect(&layout);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        CWnd* bar = FromHandlePermanent(child);
        if (id < nIDFirst || id > nIDLast || id == nIDLeftOver || bar == nullptr)
            continue;
        SIZE size = bar->CalcFixedLayout(TRUE, TRUE);
        if (size.cy <= 0)
            continue;
        if (nFlag != reposQuery)
            ::SetWindowPos(child, nullptr, layout.left, layout.top, layout.right - layout.left,
                           size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        layout.top += size.cy;
    }
    if (nFlag == reposQuery && lpRectParam != nullptr)
        *lpRectParam = layout;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    if (m_hWndToolTip == nullptr && bEnable) {
        m_hWndToolTip =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
        if (m_hWndToolTip == nullptr)
            return FALSE;
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            // A tip subclasses its tools to see their mouse messages, and comctl32's subclassing
            // looks a window property up in the window server for every message of the tool;
            // our own windows, which get the most messages, hand theirs on themselves instead.
            CWnd* ours = FromHandlePermanent(child);
            if (ours != nullptr)
                ours->m_hWndParentTip = m_hWndToolTip;
            TTTOOLINFOA tool = {};
            tool.cbSize = sizeof(tool);
            // Transparent: a tip shown over the next row or button must not swallow its click.
            tool.uFlags = TTF_IDISHWND | TTF_TRANSPARENT | (ours != nullptr ? 0 : TTF_SUBCLASS);
            tool.hwnd = m_hWnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            tool.lpszText = LPSTR_TEXTCALLBACKA;
            ::SendMessageA(m_hWndToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (m_hWndToolTip != nullptr)
        ::SendMessageA(m_hWndToolTip, TTM_ACTIVATE, bEnable, 0);
    return TRUE;
}

// The messages a subclassing tip would see, handed on before the window handles them.
void CWnd::RelayToParentTip(UINT msg, WPARAM wParam, LPARAM lParam) const {
    switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        MSG relayed = {m_hWnd, msg, wParam, lParam, 0, {0, 0}};
        ::SendMessageA(m_hWndParentTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        break;
    }
    default:
        break;
    }
}
