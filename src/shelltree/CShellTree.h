#pragma once
// The source tree: the shell namespace from the desktop down, folders and the files whose
// extension the filter names, read lazily on expansion; several items selectable at once, and
// the matching files under a selected item counted from the file system.
#include "framework/CExtensionList.h"
#include "framework/CImageList.h"
#include "framework/CInterfacePtr.h"
#include "framework/CMultiSelectTree.h"
#include "shelltree/CScanReport.h"
#include "shelltree/CShellIconQueue.h"
#include "walk/CSourceCount.h"

#include <shlobj.h>

#include <atomic>

class CShellTree : public CMultiSelectTree {
public:
    CShellTree();
    ~CShellTree() override;

    void SetFilter(BOOL bShowFiles, const char* pszFilter);
    void RebuildTree();
    void PopulateItem(HTREEITEM hParent);

    // File-system path of the item, or empty for objects that have none.
    CString GetItemPath(HTREEITEM hItem) const;
    BOOL MatchesFilter(const char* pszPath) const;
    BOOL HasMatchingContent(const char* pszPath) const;
    static CString GetFileExt(const char* pszPath);

    int CountItemFiles(HTREEITEM hItem, const char* pszFilter, HWND hWndNotify);
    // The count of an item by its path: the folder's matching files, or 1 for a matching file.
    int CountPathFiles(const char* pszPath, const char* pszFilter, HWND hWndNotify);
    int CountFolderFiles(const char* pszPath, const char* pszFilter, HWND hWndNotify);
    // The path being searched that the add-files box is to show (its thread asks on UWM_SCAN_PATH).
    CString GetScanPath() const;
    // The counting tells the box of the paths it examines only now and then; at the end of an add
    // run the box is given the last one, unless the run was cancelled.
    void ShowLastScanPath(HWND hWndNotify);
    // Items still waiting for their icons, which a thread of the tree's own looks up.
    int GetPendingIconCount() const { return m_iconQueue.GetPendingCount(); }

    std::atomic<int> m_bContinue{1}; // counting goes on while nonzero; Cancel clears it
    CScanReport m_scanReport;        // which examined paths reach the add-files box
    CString m_strFilter;
    CImageList m_imageList; // a blank list that keeps the icons' room until the system list comes
    CInterfacePtr<IMalloc> m_pMalloc;
    CInterfacePtr<IShellFolder> m_pDesktopFolder;
    BOOL m_bShowFiles = FALSE;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnPlainLabelPress(HTREEITEM hItem) override;

    void OnItemExpanding(NMTREEVIEWA* pNMTreeView, LRESULT* pResult);
    void OnItemExpanded(NMTREEVIEWA* pNMTreeView, LRESULT* pResult);
    void OnDeleteItem(NMTREEVIEWA* pNMTreeView, LRESULT* pResult);
    void OnIconsArrived();

    LPITEMIDLIST ConcatItemIDLists(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    // The item's icons are left for the icon thread; *pulAttributes says which it is to ask for.
    BOOL FillItemInfo(TVITEMA* pItem, CString& strName, LPCITEMIDLIST pidlAbsolute,
                      IShellFolder* pParentFolder, LPCITEMIDLIST pidlRelative,
                      ULONG* pulAttributes);
    HTREEITEM FindComputerItem();

private:
    void KeepIconRoom();
    void UseSystemImageList(HIMAGELIST hSystem);
    void RequestIcons(HTREEITEM hItem, LPCITEMIDLIST pidlAbsolute, ULONG ulAttributes);
    void DeleteChildren(HTREEITEM hParent);
    void InsertChildren(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlParent);
    void InsertChild(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlParent,
                     LPITEMIDLIST pidlRelative);
    CString GetDisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative);
    CString GetIdListPath(LPCITEMIDLIST pidl) const;
    int GetChildrenFlag(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative, ULONG ulAttributes,
                        LPCITEMIDLIST pidlAbsolute, BOOL* pbListed) const;
    static BOOL IsListedKind(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                             LPCITEMIDLIST pidlAbsolute);
    static int CALLBACK CompareChildItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    CSourceCount Counter(const CExtensionList& extensions, HWND hWndNotify);

    CShellIconQueue m_iconQueue;
};
