#include "shelltree/CShellTree.h"

#include "framework/MbcsText.h"
#include "shared/UserMessages.h"
#include "shelltree/ItemIdList.h"
#include "walk/CSourceCount.h"

namespace {

const UINT kIconFlags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
// The platform's flag for names of objects outside the file system too; MinGW's headers lack it.
constexpr DWORD SHGDN_INCLUDE_NONFILESYS = 0x2000;
const DWORD kNameFlags = SHGDN_INFOLDER | SHGDN_INCLUDE_NONFILESYS;
// The first rebuild's icons are looked up once the window is idle: WM_TIMER comes only when no
// posted, input or paint message of the thread is waiting. The id keeps clear of the control's
// own timers, which count from 1.
const UINT_PTR kIconTimer = 0x49434F4E;

// Kinds of shell object (description identifiers) the tree leaves out: removable media and
// everything on the network below the network folder itself.
BOOL IsExcludedKind(DWORD dwId) {
    switch (dwId) {
    case SHDID_COMPUTER_DRIVE35:
    case SHDID_COMPUTER_DRIVE525:
    case SHDID_COMPUTER_REMOVABLE:
    case SHDID_COMPUTER_NETDRIVE:
    case SHDID_COMPUTER_CDROM:
    case SHDID_NET_DOMAIN:
    case SHDID_NET_SERVER:
    case SHDID_NET_SHARE:
    case SHDID_NET_RESTOFNET:
    case SHDID_NET_OTHER:
        return TRUE;
    default:
        return FALSE;
    }
}

// The description a drive root would have, from its drive type; for shells that cannot answer.
BOOL DriveKind(const CString& strPath, DWORD* pdwId) {
    if (!mbcs::IsDriveRoot(strPath.str()))
        return FALSE;
    switch (GetDriveTypeA(strPath)) {
    case DRIVE_REMOVABLE:
        *pdwId = SHDID_COMPUTER_REMOVABLE;
        return TRUE;
    case DRIVE_FIXED:
        *pdwId = SHDID_COMPUTER_FIXED;
        return TRUE;
    case DRIVE_REMOTE:
        *pdwId = SHDID_COMPUTER_NETDRIVE;
        return TRUE;
    case DRIVE_CDROM:
        *pdwId = SHDID_COMPUTER_CDROM;
        return TRUE;
    case DRIVE_RAMDISK:
        *pdwId = SHDID_COMPUTER_RAMDISK;
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

CShellTree::CShellTree() {
    SHGetDesktopFolder(m_pDesktopFolder.Receive());
    SHGetMalloc(m_pMalloc.Receive());
}

CShellTree::~CShellTree() {
    // The items own item-ID lists that only the allocator can free; the blank image list goes
    // with this object.
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        DeleteAllItems();
        SetImageList(nullptr, TVSIL_NORMAL);
    }
}

void CShellTree::SetFilter(BOOL bShowFiles, const char* pszFilter) {
    m_bShowFiles = bShowFiles;
    m_strFilter = pszFilter;
    RebuildTree();
}

void CShellTree::RebuildTree() {
    KeepIconRoom();
    if (!m_iconQueue.IsStarted())
        ::SetTimer(m_hWnd, kIconTimer, 0, nullptr);
    PopulateItem(TVI_ROOT);
    HTREEITEM hComputer = FindComputerItem();
    if (hComputer != nullptr) {
        SetFocus();
        Expand(hComputer, TVE_EXPAND);
        SelectItem(hComputer);
    }
}

// Until the icon thread has the system list, a blank one of its size keeps the items where the
// icons will put them.
void CShellTree::KeepIconRoom() {
    if (GetImageList(TVSIL_NORMAL) != nullptr)
        return;
    // A window made again for this tree may find the blank list still held.
    if (m_imageList.GetSafeHandle() == nullptr &&
        !m_imageList.Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                            ILC_COLOR32 | ILC_MASK, 0, 1))
        return;
    SetImageList(&m_imageList, TVSIL_NORMAL);
}

// The system list is the shell's, so it is shown but never held.
void CShellTree::UseSystemImageList(HIMAGELIST hSystem) {
    if (hSystem == nullptr || GetImageList(TVSIL_NORMAL) == hSystem)
        return;
    CImageList system;
    system.Attach(hSystem);
    SetImageList(&system, TVSIL_NORMAL);
    system.Detach();
    m_imageList.DeleteImageList();
}

void CShellTree::RequestIcons(HTREEITEM hItem, LPCITEMIDLIST pidlAbsolute, ULONG ulAttributes) {
    UINT uFlags = kIconFlags | ((ulAttributes & SFGAO_LINK) ? SHGFI_LINKOVERLAY : 0);
    m_iconQueue.Request(hItem, pidlAbsolute, uFlags, (ulAttributes & SFGAO_FOLDER) != 0);
}

void CShellTree::OnIconsArrived() {
    for (const CShellIconQueue::Icons& icons : m_iconQueue.TakeArrived()) {
        UseSystemImageList(icons.hImageList);
        TVITEMA item = {};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = icons.hItem;
        item.iImage = icons.nImage;
        item.iSelectedImage = icons.nSelectedImage;
        SetItem(&item);
    }
}

void CShellTree::DeleteChildren(HTREEITEM hParent) {
    for (HTREEITEM hChild = GetChildItem(hParent); hChild != nullptr;
         hChild = GetChildItem(hParent))
        DeleteItem(hChild);
}

void CShellTree::PopulateItem(HTREEITEM hParent) {
    DeleteChildren(hParent);
    LPCITEMIDLIST pidlParent =
        hParent == TVI_ROOT ? nullptr : reinterpret_cast<LPCITEMIDLIST>(GetItemData(hParent));
    if (!m_pDesktopFolder)
        return;
    CInterfacePtr<IShellFolder> folder;
    m_pDesktopFolder->BindToObject(pidlParent, nullptr, IID_IShellFolder, folder.ReceiveVoid());
    if (!folder) {
        if (hParent != TVI_ROOT)
            return;
        folder = m_pDesktopFolder;
    }
    InsertChildren(hParent, folder.Get(), pidlParent);
    TVSORTCB sort = {hParent, &CShellTree::CompareChildItems,
                     reinterpret_cast<LPARAM>(folder.Get())};
    SortChildrenCB(&sort);
}

// The enumerator goes before the children are sorted, as soon as it has handed them all out.
void CShellTree::InsertChildren(HTREEITEM hParent, IShellFolder* pFolder,
                                LPCITEMIDLIST pidlParent) {
    SHCONTF grfFlags = SHCONTF_FOLDERS | (m_bShowFiles ? SHCONTF_NONFOLDERS : 0);
    CInterfacePtr<IEnumIDList> children;
    if (pFolder->EnumObjects(m_hWnd, grfFlags, children.Receive()) != S_OK || !children)
        return;
    LPITEMIDLIST pidlRelative = nullptr;
    ULONG nFetched = 0;
    while (children->Next(1, &pidlRelative, &nFetched) == S_OK)
        InsertChild(hParent, pFolder, pidlParent, pidlRelative);
}

void CShellTree::InsertChild(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlParent,
                             LPITEMIDLIST pidlRelative) {
    LPITEMIDLIST pidlAbsolute = ConcatItemIDLists(pidlParent, pidlRelative);
    TVINSERTSTRUCTA ins = {};
    CString strName;
    ULONG ulAttributes = 0;
    if (pidlAbsolute != nullptr &&
        FillItemInfo(&ins.item, strName, pidlAbsolute, pFolder, pidlRelative, &ulAttributes)) {
        ins.hParent = hParent;
        ins.hInsertAfter = TVI_LAST;
        HTREEITEM hItem = InsertItem(&ins);
        if (hItem != nullptr)
            RequestIcons(hItem, pidlAbsolute, ulAttributes);
        else
            m_pMalloc->Free(pidlAbsolute);
    } else if (pidlAbsolute != nullptr) {
        m_pMalloc->Free(pidlAbsolute);
    }
    m_pMalloc->Free(pidlRelative);
}

LPITEMIDLIST CShellTree::ConcatItemIDLists(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    UINT cb1 = itemidlist::GetSize(pidl1);
    UINT cb2 = itemidlist::GetSize(pidl2);
    BYTE* pNew = static_cast<BYTE*>(m_pMalloc->Alloc(cb1 + cb2 + sizeof(USHORT)));
    if (pNew == nullptr)
        return nullptr;
    if (cb1 > 0)
        memcpy(pNew, pidl1, cb1 + sizeof(USHORT));
    if (cb2 > 0)
        memcpy(pNew + cb1, pidl2, cb2 + sizeof(USHORT));
    if (cb1 == 0 && cb2 == 0) {
        m_pMalloc->Free(pNew);
        return nullptr;
    }
    return reinterpret_cast<LPITEMIDLIST>(pNew);
}

BOOL CShellTree::FillItemInfo(TVITEMA* pItem, CString& strName, LPCITEMIDLIST pidlAbsolute,
                              IShellFolder* pParentFolder, LPCITEMIDLIST pidlRelative,
                              ULONG* pulAttributes) {
    strName = GetDisplayName(pParentFolder, pidlRelative);
    ULONG ulAttributes = SFGAO_FOLDER | SFGAO_LINK;
    pParentFolder->GetAttributesOf(1, &pidlRelative, &ulAttributes);
    *pulAttributes = ulAttributes;
    // No icon at all until the item's own arrives, rather than another's for a moment.
    pItem->iImage = I_IMAGENONE;
    pItem->iSelectedImage = I_IMAGENONE;

    BOOL bListed = TRUE;
    pItem->cChildren =
        GetChildrenFlag(pParentFolder, pidlRelative, ulAttributes, pidlAbsolute, &bListed);
    if (!bListed || !IsListedKind(pParentFolder, pidlRelative, pidlAbsolute))
        return FALSE;
    pItem->mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    pItem->pszText = const_cast<char*>(static_cast<const char*>(strName));
    pItem->lParam = reinterpret_cast<LPARAM>(pidlAbsolute);
    return TRUE;
}

int CShellTree::GetChildrenFlag(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                                ULONG ulAttributes, LPCITEMIDLIST pidlAbsolute,
                                BOOL* pbListed) const {
    if (!(ulAttributes & SFGAO_FOLDER)) {
        *pbListed = MatchesFilter(GetIdListPath(pidlAbsolute));
        return 0;
    }
    if (m_bShowFiles) {
        // A folder outside the file system (the computer, the network) can always be opened.
        CString strPath = GetIdListPath(pidlAbsolute);
        return strPath.IsEmpty() || MatchesFilter(strPath) ? 1 : 0;
    }
    ULONG ulFolder = SFGAO_FOLDER | SFGAO_REMOVABLE;
    pFolder->GetAttributesOf(1, &pidlRelative, &ulFolder);
    if (ulFolder & SFGAO_REMOVABLE)
        return 1;
    ULONG ulSub = SFGAO_HASSUBFOLDER;
    pFolder->GetAttributesOf(1, &pidlRelative, &ulSub);
    return (ulSub & SFGAO_HASSUBFOLDER) ? 1 : 0;
}

BOOL CShellTree::IsListedKind(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative,
                              LPCITEMIDLIST pidlAbsolute) {
    SHDESCRIPTIONID desc = {};
    if (SUCCEEDED(SHGetDataFromIDListA(pFolder, pidlRelative, SHGDFIL_DESCRIPTIONID, &desc,
                                       sizeof(desc))))
        return !IsExcludedKind(desc.dwDescriptionId);
    // Wine answers no description at all; a drive root's type says the same for drives.
    char szPath[MAX_PATH] = "";
    DWORD dwId = 0;
    if (SHGetPathFromIDListA(pidlAbsolute, szPath) && DriveKind(szPath, &dwId))
        return !IsExcludedKind(dwId);
    return TRUE;
}

CString CShellTree::GetDisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidlRelative) {
    STRRET str = {};
    if (FAILED(pFolder->GetDisplayNameOf(pidlRelative, kNameFlags, &str)))
        return CString();
    switch (str.uType) {
    case STRRET_WSTR: {
        CString strName(mbcs::FromWide(str.pOleStr));
        m_pMalloc->Free(str.pOleStr);
        return strName;
    }
    case STRRET_OFFSET:
        return CString(reinterpret_cast<const char*>(pidlRelative) + str.uOffset);
    default:
        return CString(str.cStr);
    }
}

HTREEITEM CShellTree::FindComputerItem() {
    LPITEMIDLIST pidlComputer = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidlComputer)))
        return nullptr;
    HTREEITEM hItem = GetRootItem();
    for (; hItem != nullptr; hItem = GetNextVisibleItem(hItem)) {
        LPCITEMIDLIST pidl = reinterpret_cast<LPCITEMIDLIST>(GetItemData(hItem));
        if (pidl == nullptr)
            continue;
        HRESULT hr = m_pDesktopFolder->CompareIDs(0, pidlComputer, pidl);
        if (SUCCEEDED(hr) && static_cast<short>(HRESULT_CODE(hr)) == 0)
            break;
    }
    m_pMalloc->Free(pidlComputer);
    return hItem;
}

int CALLBACK CShellTree::CompareChildItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
    IShellFolder* pFolder = reinterpret_cast<IShellFolder*>(lParamSort);
    LPCITEMIDLIST pidl1 = itemidlist::GetLastItem(reinterpret_cast<LPCITEMIDLIST>(lParam1));
    LPCITEMIDLIST pidl2 = itemidlist::GetLastItem(reinterpret_cast<LPCITEMIDLIST>(lParam2));
    if (pidl1 == nullptr || pidl2 == nullptr)
        return 0;
    HRESULT hr = pFolder->CompareIDs(0, pidl1, pidl2);
    if (FAILED(hr))
        return 0;
    short nOrder = static_cast<short>(HRESULT_CODE(hr));
    return nOrder < 0 ? -1 : nOrder > 0 ? 1 : 0;
}

CString CShellTree::GetItemPath(HTREEITEM hItem) const {
    return GetIdListPath(reinterpret_cast<LPCITEMIDLIST>(GetItemData(hItem)));
}

CString CShellTree::GetIdListPath(LPCITEMIDLIST pidl) const {
    char szPath[MAX_PATH] = "";
    if (pidl == nullptr || !SHGetPathFromIDListA(pidl, szPath))
        return CString();
    return CString(szPath);
}

LRESULT CShellTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_SHELL_ICONS:
        OnIconsArrived();
        return 0;
    case WM_TIMER:
        if (wParam != kIconTimer)
            break;
        ::KillTimer(m_hWnd, kIconTimer);
        m_iconQueue.Start(m_hWnd);
        return 0;
    case WM_DESTROY:
        // Answers could no longer reach the window; the thread must not outlive it.
        m_iconQueue.Stop();
        break;
    default:
        break;
    }
    return CMultiSelectTree::WindowProc(msg, wParam, lParam);
}

BOOL CShellTree::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (msg != WM_NOTIFY)
        return CMultiSelectTree::OnChildNotify(msg, wParam, lParam, pResult);
    NMTREEVIEWA* pNM = reinterpret_cast<NMTREEVIEWA*>(lParam);
    switch (pNM->hdr.code) {
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
        OnDeleteItem(pNM, pResult);
        return TRUE;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(pNM, pResult);
        return TRUE;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        OnItemExpanding(pNM, pResult);
        return TRUE;
    default:
        return FALSE;
    }
}

void CShellTree::OnItemExpanding(NMTREEVIEWA* pNMTreeView, LRESULT* pResult) {
    HTREEITEM hItem = pNMTreeView->itemNew.hItem;
    if (pNMTreeView->action & TVE_EXPAND) {
        PopulateItem(hItem);
    } else {
        DeleteChildren(hItem);
        // An empty child keeps the expand button until the next expansion lists the folder.
        InsertItem("", hItem, TVI_LAST);
    }
    *pResult = 0;
}

void CShellTree::OnItemExpanded(NMTREEVIEWA*, LRESULT* pResult) {
    *pResult = 0;
}

void CShellTree::OnDeleteItem(NMTREEVIEWA* pNMTreeView, LRESULT* pResult) {
    m_iconQueue.Forget(pNMTreeView->itemOld.hItem);
    void* pidl = reinterpret_cast<void*>(pNMTreeView->itemOld.lParam);
    if (pidl != nullptr && m_pMalloc)
        m_pMalloc->Free(pidl);
    *pResult = 0;
}

BOOL CShellTree::OnPlainLabelPress(HTREEITEM hItem) {
    if (hItem == GetSelectedItem())
        return FALSE;
    SetFocus();
    ClearSelection();
    SelectItem(hItem);
    m_hSelectAnchor = hItem;
    return TRUE;
}

CString CShellTree::GetFileExt(const char* pszPath) {
    return CString(mbcs::SplitPath(pszPath ? pszPath : "").ext);
}

BOOL CShellTree::MatchesFilter(const char* pszPath) const {
    if (m_strFilter.IsEmpty() || m_strFilter.Find("*.*") >= 0)
        return TRUE;
    if (HasMatchingContent(pszPath))
        return TRUE;
    return CExtensionList::FromFilter(m_strFilter).MatchesPath(pszPath);
}

BOOL CShellTree::HasMatchingContent(const char* pszPath) const {
    return CSourceCount::HasMatchingContent(pszPath, CExtensionList::FromFilter(m_strFilter),
                                            m_bShowFiles != FALSE);
}

int CShellTree::CountItemFiles(HTREEITEM hItem, const char* pszFilter, HWND hWndNotify) {
    return CountPathFiles(GetItemPath(hItem), pszFilter, hWndNotify);
}

int CShellTree::CountPathFiles(const char* pszPath, const char* pszFilter, HWND hWndNotify) {
    CString strPath(pszPath);
    CExtensionList extensions = CExtensionList::FromFilter(pszFilter);
    CSourceCount count = Counter(extensions, hWndNotify);
    return HasMatchingContent(strPath) ? count.CountFolder(strPath) : count.CountFile(strPath);
}

int CShellTree::CountFolderFiles(const char* pszPath, const char* pszFilter, HWND hWndNotify) {
    CExtensionList extensions = CExtensionList::FromFilter(pszFilter);
    return Counter(extensions, hWndNotify).CountFolder(pszPath);
}

// The add-files box is told of the paths the count examines.
CSourceCount CShellTree::Counter(const CExtensionList& extensions, HWND hWndNotify) {
    CSourceCount count(extensions, m_bContinue, [this, hWndNotify](const char* path) {
        m_scanReport.Examine(hWndNotify, path);
    });
    count.m_bShowFiles = m_bShowFiles != FALSE;
    return count;
}

CString CShellTree::GetScanPath() const {
    return m_scanReport.GetShownPath();
}

void CShellTree::ShowLastScanPath(HWND hWndNotify) {
    if (m_bContinue != 0)
        m_scanReport.ShowLatest(hWndNotify);
}
