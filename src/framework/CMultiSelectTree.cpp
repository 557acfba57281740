#include "framework/CMultiSelectTree.h"

namespace {

POINT PointFromParam(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

HTREEITEM CMultiSelectTree::GetFirstSelectedItem() const {
    HTREEITEM hItem = GetRootItem();
    while (hItem != nullptr && !IsSelected(hItem))
        hItem = GetNextVisibleItem(hItem);
    return hItem;
}

HTREEITEM CMultiSelectTree::GetNextSelectedItem(HTREEITEM hItem) const {
    for (hItem = GetNextVisibleItem(hItem); hItem != nullptr; hItem = GetNextVisibleItem(hItem)) {
        if (IsSelected(hItem))
            return hItem;
    }
    return nullptr;
}

void CMultiSelectTree::ClearSelection() {
    for (HTREEITEM hItem = GetRootItem(); hItem != nullptr; hItem = GetNextVisibleItem(hItem)) {
        if (IsSelected(hItem))
            SetSelected(hItem, FALSE);
    }
}

BOOL CMultiSelectTree::SelectRange(HTREEITEM hFrom, HTREEITEM hTo) {
    HTREEITEM hItem = GetRootItem();
    while (hItem != nullptr && hItem != hFrom && hItem != hTo)
        hItem = GetNextVisibleItem(hItem);
    if (hItem == nullptr)
        return FALSE;
    BOOL bReversed = hItem == hTo && hItem != hFrom;
    SelectItem(hTo);
    HTREEITEM hBegin = bReversed ? hTo : hFrom;
    HTREEITEM hEnd = bReversed ? hFrom : hTo;
    BOOL bInside = FALSE;
    for (hItem = GetRootItem(); hItem != nullptr; hItem = GetNextVisibleItem(hItem)) {
        if (hItem == hBegin)
            bInside = TRUE;
        if (IsSelected(hItem) != bInside)
            SetSelected(hItem, bInside);
        if (hItem == hEnd)
            bInside = FALSE;
    }
    return TRUE;
}

void CMultiSelectTree::ClickSelect(HTREEITEM hItem, UINT nFlags, POINT point) {
    if (nFlags & MK_SHIFT) {
        if (m_hSelectAnchor == nullptr)
            m_hSelectAnchor = GetSelectedItem();
        SelectRange(m_hSelectAnchor, hItem);
    } else if (nFlags & MK_CONTROL) {
        HTREEITEM hCaret = GetSelectedItem();
        BOOL bClickedSelected = IsSelected(hItem);
        BOOL bCaretSelected = hCaret != nullptr && IsSelected(hCaret);
        NotifyParent(TVN_SELCHANGINGA, TVC_BYMOUSE, hItem, point);
        if (bCaretSelected)
            SetSelected(hCaret, TRUE);
        if (bClickedSelected) {
            SetSelected(hItem, FALSE);
        } else {
            SelectItem(hItem);
            SetSelected(hItem, TRUE);
        }
        // Moving the caret took the bit from the old caret item.
        if (bCaretSelected && hCaret != hItem)
            SetSelected(hCaret, TRUE);
        if (m_hSelectAnchor == nullptr)
            m_hSelectAnchor = hItem;
    } else {
        ClearSelection();
        SelectItem(hItem);
        SetSelected(hItem, TRUE);
        m_hSelectAnchor = hItem;
    }
    NotifyParent(TVN_SELCHANGEDA, 0, m_hClickedItem, POINT{0, 0});
}

LRESULT CMultiSelectTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointFromParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), PointFromParam(lParam));
        return 0;
    default:
        return CTreeCtrl::WindowProc(msg, wParam, lParam);
    }
}

void CMultiSelectTree::OnLButtonDown(UINT nFlags, POINT point) {
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    BOOL bPlain = (nFlags & (MK_SHIFT | MK_CONTROL)) == 0;
    if (hItem != nullptr && bPlain && (nHitFlags & TVHT_ONITEMLABEL) && OnPlainLabelPress(hItem))
        return;
    if (hItem != nullptr && (nHitFlags & TVHT_ONITEM)) {
        SetFocus();
        m_hClickedItem = hItem;
        if (IsSelected(hItem)) {
            m_bPendingSelect = TRUE;
        } else {
            ClickSelect(hItem, nFlags, point);
            m_bPendingSelect = FALSE;
        }
        return;
    }
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CMultiSelectTree::OnLButtonUp(UINT nFlags, POINT point) {
    if (m_bPendingSelect) {
        ClickSelect(m_hClickedItem, nFlags, point);
        m_bPendingSelect = FALSE;
    }
    m_hClickedItem = nullptr;
    DefWindowProc(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
}

BOOL CMultiSelectTree::IsSelected(HTREEITEM hItem) const {
    return (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

void CMultiSelectTree::SetSelected(HTREEITEM hItem, BOOL bSelected) {
    SetItemState(hItem, bSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

void CMultiSelectTree::NotifyParent(UINT nCode, UINT nAction, HTREEITEM hItem, POINT point) {
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    nm.hdr.code = nCode;
    nm.action = nAction;
    nm.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    nm.itemNew.hItem = hItem;
    nm.itemNew.stateMask = 0xFFFFFFFF;
    nm.itemNew.state = GetItemState(hItem, nm.itemNew.stateMask);
    nm.itemNew.lParam = static_cast<LPARAM>(GetItemData(hItem));
    nm.ptDrag = point;
    ::SendMessageA(GetParent(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}
