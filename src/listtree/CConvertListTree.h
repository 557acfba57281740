#pragma once
// The conversion list: a flat list of paths, one record per entry, each with its shell icons,
// a check box that marks it as converted, and the multiple selection of the source tree.
#include "framework/CImageList.h"
#include "framework/CMultiSelectTree.h"
#include "shared/ConvertItem.h"

#include <vector>

class CConvertListTree : public CMultiSelectTree {
public:
    CConvertListTree() = default;
    ~CConvertListTree() override;

    // May run on another thread: the tree changes only through messages to the window.
    HTREEITEM AddEntry(const char* pszPath, int nType, int nFileCount);
    ConvertItem FindEntry(HTREEITEM hItem) const;
    void RemoveEntry(HTREEITEM hItem);
    void CopyEntries(std::vector<ConvertItem>& dest) const;

    CString m_strLastError;
    CImageList m_imageList; // lends the shared system list to the tree, never owns it
    std::vector<ConvertItem> m_items;

protected:
    // Check boxes only draw their state when the style is set after creation.
    void PreSubclassWindow() override;
    BOOL OnPlainLabelPress(HTREEITEM hItem) override;

    HTREEITEM InsertPathItem(HTREEITEM hParent, const char* pszPath);
    BOOL AttachSystemImageList();
    BOOL DetachSystemImageList();
};
