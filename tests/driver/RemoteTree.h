#pragma once
// A tree view control of another process, read from outside: messages without pointers go
// straight to it, those with pointers through a buffer inside its process.
#include "RemoteMemory.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

class RemoteTree {
public:
    RemoteTree(HANDLE hProcess, HWND hTree);

    HWND hwnd() const { return m_hTree; }
    int Count() const;
    // The items from the first root item on, following the expanded ones (display order).
    std::vector<HTREEITEM> DisplayOrder() const;
    // The items of DisplayOrder that are selected.
    std::vector<HTREEITEM> SelectedItems() const;
    // The first item in display order whose text is text, or contains it when whole is false.
    HTREEITEM Find(const std::string& text, bool whole = true) const;
    HTREEITEM FirstChild(HTREEITEM hItem) const;
    // The child of hParent whose text is text; null when it has none (or is not expanded).
    HTREEITEM Child(HTREEITEM hParent, const std::string& text) const;
    HTREEITEM Parent(HTREEITEM hItem) const { return Next(hItem, TVGN_PARENT); }

    std::string Text(HTREEITEM hItem) const;
    bool Selected(HTREEITEM hItem) const { return State(hItem, TVIS_SELECTED) != 0; }
    bool Expanded(HTREEITEM hItem) const { return State(hItem, TVIS_EXPANDED) != 0; }
    // The check box of the item is ticked (state image 2).
    bool Checked(HTREEITEM hItem) const;

    // The item's label in screen coordinates; false when the item is not shown at all.
    bool LabelRect(HTREEITEM hItem, RECT* pScreenRect) const;
    // The control's client area in screen coordinates.
    RECT ClientRect() const;
    // TVHT_* flags of a screen point, with the item there.
    UINT HitTest(POINT screenPoint, HTREEITEM* pItem = nullptr) const;

private:
    UINT State(HTREEITEM hItem, UINT mask) const;
    HTREEITEM Next(HTREEITEM hItem, UINT code) const;

    HWND m_hTree;
    RemoteMemory m_buffer;
};
