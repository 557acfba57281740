#pragma once
// A tree-view control. Every operation is a message to the control, so a call from another
// thread is carried out on the window's own thread.
#include "framework/CWnd.h"

#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd {
public:
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* pInsert);
    HTREEITEM InsertItem(const char* text, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_NEXTVISIBLE);
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    UINT GetCount() const;

    BOOL GetItem(TVITEMA* pItem) const;
    BOOL SetItem(TVITEMA* pItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    CString GetItemText(HTREEITEM hItem) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    // Check boxes: state image 1 is clear, 2 is checked.
    BOOL GetCheck(HTREEITEM hItem) const;
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE);
    BOOL ItemHasChildren(HTREEITEM hItem) const;

    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL EnsureVisible(HTREEITEM hItem);
    BOOL GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const;
    HTREEITEM HitTest(POINT pt, UINT* pFlags = nullptr) const;
    BOOL SortChildrenCB(const TVSORTCB* pSort);

    // Returns the previous list of that kind.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    HIMAGELIST GetImageList(int nImageListType) const;
};
