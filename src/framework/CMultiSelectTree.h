#pragma once
// A tree control whose left clicks select several items: a plain click selects one, Ctrl adds
// or drops one, Shift selects a run in display order. The control's own selection (the caret)
// stays as the keyboard focus; the selection is the TVIS_SELECTED bit of each item.
#include "framework/CTreeCtrl.h"

class CMultiSelectTree : public CTreeCtrl {
public:
    // Visible items top to bottom that carry the selected bit.
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM hItem) const;

    void ClearSelection();
    // Selects exactly the visible items from hFrom to hTo; FALSE (no change) when neither is seen.
    BOOL SelectRange(HTREEITEM hFrom, HTREEITEM hTo);
    void ClickSelect(HTREEITEM hItem, UINT nFlags, POINT point);

    BOOL m_bPendingSelect = FALSE; // a press hit a selected item; the release applies the click
    HTREEITEM m_hClickedItem = nullptr;  // item under the last press, until the release
    HTREEITEM m_hSelectAnchor = nullptr; // fixed end of Shift runs; survives deletion of its item

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    // The one step where the two trees differ: a press without Shift or Ctrl on an item's label.
    // Returns TRUE when the press is fully handled.
    virtual BOOL OnPlainLabelPress(HTREEITEM hItem) = 0;

    BOOL IsSelected(HTREEITEM hItem) const;
    void SetSelected(HTREEITEM hItem, BOOL bSelected);

private:
    void NotifyParent(UINT nCode, UINT nAction, HTREEITEM hItem, POINT point);
};
