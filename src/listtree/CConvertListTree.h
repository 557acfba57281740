#pragma once
// The conversion list: a flat list of paths, one record per entry, each with its shell icons,
// a check box that marks it as converted, and the multiple selection of the source tree.
#include "framework/CImageList.h"
#include "framework/CMultiSelectTree.h"
#include "shared/ConvertItem.h"

#include <string>
#include <unordered_map>
#include <vector>

class CConvertListTree : public CMultiSelectTree {
public:
    CConvertListTree() = default;
    ~CConvertListTree() override;

    // May be called on another thread: it then waits while the window's thread adds the entry.
    HTREEITEM AddEntry(const char* pszPath, int nType, int nFileCount);
    ConvertItem FindEntry(HTREEITEM hItem) const;
    void RemoveEntry(HTREEITEM hItem);
    void CopyEntries(std::vector<ConvertItem>& dest) const;
    // The selected entries top to bottom, as GetFirstSelectedItem and GetNextSelectedItem give
    // them: the records are in list order, so only the state of each entry is asked.
    void GetSelectedEntries(std::vector<HTREEITEM>& selected) const;

    CString m_strLastError;
    CImageList m_imageList;           // lends the shared system list to the tree, never owns it
    std::vector<ConvertItem> m_items; // changed on the window's thread only

    // A system icon and its open form, as indices into the shared list.
    struct PathIcons {
        int nImage = 0;
        int nSelectedImage = 0;
    };

protected:
    // Check boxes only draw their state when the style is set after creation.
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnPlainLabelPress(HTREEITEM hItem) override;

    HTREEITEM InsertPathItem(HTREEITEM hParent, const char* pszPath);
    BOOL AttachSystemImageList();
    BOOL DetachSystemImageList();
    // The icons the shell gives the lookup form of pszPath; FALSE when it has none.
    BOOL GetPathIcons(const char* pszPath, const CString& strLookup, PathIcons* pIcons);
    static BOOL AskShell(const CString& strLookup, PathIcons* pIcons);

private:
    std::size_t FindIndex(HTREEITEM hItem) const;

    // Icons of documents by lower-cased extension; those of kinds whose every file has an icon
    // of its own are never kept.
    std::unordered_map<std::string, PathIcons> m_documentIcons;
    mutable std::size_t m_nLastFound = 0; // where the last record search ended
};
