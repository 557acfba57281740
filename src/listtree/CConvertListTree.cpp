#include "listtree/CConvertListTree.h"

#include "framework/MbcsText.h"

#include <shellapi.h>

CConvertListTree::~CConvertListTree() {
    DetachSystemImageList();
}

void CConvertListTree::PreSubclassWindow() {
    if (GetStyle() & TVS_CHECKBOXES) {
        ModifyStyle(TVS_CHECKBOXES, 0);
        ModifyStyle(0, TVS_CHECKBOXES);
    }
}

HTREEITEM CConvertListTree::AddEntry(const char* pszPath, int nType, int nFileCount) {
    // An empty path would be looked up, and later converted, as the current drive.
    if (pszPath == nullptr || *pszPath == '\0') {
        m_strLastError = "Empty path!";
        return nullptr;
    }
    HTREEITEM hItem = InsertPathItem(TVI_ROOT, pszPath);
    if (hItem == nullptr)
        return nullptr;
    ConvertItem item;
    item.hItem = hItem;
    item.strPath = pszPath;
    item.nFileCount = nFileCount;
    item.nType = nType;
    m_items.push_back(item);
    return hItem;
}

ConvertItem CConvertListTree::FindEntry(HTREEITEM hItem) const {
    for (const ConvertItem& item : m_items) {
        if (item.hItem == hItem)
            return item;
    }
    return ConvertItem();
}

void CConvertListTree::RemoveEntry(HTREEITEM hItem) {
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->hItem == hItem) {
            m_items.erase(it);
            return;
        }
    }
}

void CConvertListTree::CopyEntries(std::vector<ConvertItem>& dest) const {
    dest = m_items;
}

HTREEITEM CConvertListTree::InsertPathItem(HTREEITEM hParent, const char* pszPath) {
    if (!AttachSystemImageList())
        return nullptr;
    CString strLookup(pszPath);
    std::size_t last = mbcs::LastCharOffset(strLookup.str());
    BOOL bHasSeparator = last != mbcs::npos && strLookup[static_cast<int>(last)] == '\\';
    if (!bHasSeparator)
        strLookup += '\\';
    SHFILEINFOA sfi = {};
    TVINSERTSTRUCTA ins = {};
    if (!SHGetFileInfoA(strLookup, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_SMALLICON)) {
        m_strLastError = "Error Gettting SystemFileInfo!";
        DetachSystemImageList();
        return nullptr;
    }
    DestroyIcon(sfi.hIcon);
    ins.item.iImage = sfi.iIcon;
    if (!SHGetFileInfoA(strLookup, 0, &sfi, sizeof(sfi),
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON)) {
        m_strLastError = "Error Gettting SystemFileInfo!";
        DetachSystemImageList();
        return nullptr;
    }
    DestroyIcon(sfi.hIcon);
    ins.item.iSelectedImage = sfi.iIcon;
    CString strText = strLookup.Left(strLookup.GetLength() - 1);
    ins.hParent = hParent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(static_cast<const char*>(strText));
    HTREEITEM hItem = InsertItem(&ins);
    DetachSystemImageList();
    return hItem;
}

BOOL CConvertListTree::AttachSystemImageList() {
    if (GetImageList(TVSIL_NORMAL) != nullptr)
        m_imageList.Detach();
    SHFILEINFOA sfi = {};
    HIMAGELIST hSystem = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (hSystem == nullptr) {
        m_strLastError = "Cannot retrieve the Handle of SystemImageList!";
        return FALSE;
    }
    if (!m_imageList.Attach(hSystem)) {
        m_strLastError = "Cannot Attach SystemImageList-Handle";
        return FALSE;
    }
    SetImageList(&m_imageList, TVSIL_NORMAL);
    return TRUE;
}

BOOL CConvertListTree::DetachSystemImageList() {
    m_imageList.Detach();
    return TRUE;
}

BOOL CConvertListTree::OnPlainLabelPress(HTREEITEM hItem) {
    if (hItem != GetSelectedItem())
        return FALSE;
    SetFocus();
    return TRUE;
}
