#include "listtree/CConvertListTree.h"

#include "framework/MbcsText.h"

#include <shellapi.h>

namespace {

// AddEntry called on another thread is carried out on the window's thread, which alone changes
// the records and the icon cache: what "<<" or Start reads there never changes beneath them.
constexpr UINT kAddEntryMessage = WM_APP + 1;

struct AddEntryCall {
    const char* pszPath;
    int nType;
    int nFileCount;
};

} // namespace

CConvertListTree::~CConvertListTree() {
    DetachSystemImageList();
}

void CConvertListTree::PreSubclassWindow() {
    if (GetStyle() & TVS_CHECKBOXES) {
        ModifyStyle(TVS_CHECKBOXES, 0);
        ModifyStyle(0, TVS_CHECKBOXES);
    }
}

LRESULT CConvertListTree::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kAddEntryMessage)
        return CMultiSelectTree::WindowProc(msg, wParam, lParam);
    const auto* call = reinterpret_cast<const AddEntryCall*>(lParam);
    return reinterpret_cast<LRESULT>(AddEntry(call->pszPath, call->nType, call->nFileCount));
}

HTREEITEM CConvertListTree::AddEntry(const char* pszPath, int nType, int nFileCount) {
    if (m_hWnd != nullptr && GetWindowThreadProcessId(m_hWnd, nullptr) != GetCurrentThreadId()) {
        AddEntryCall call = {pszPath, nType, nFileCount};
        return reinterpret_cast<HTREEITEM>(
            SendMessage(kAddEntryMessage, 0, reinterpret_cast<LPARAM>(&call)));
    }
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
    std::size_t i = FindIndex(hItem);
    return i == mbcs::npos ? ConvertItem() : m_items[i];
}

void CConvertListTree::RemoveEntry(HTREEITEM hItem) {
    std::size_t i = FindIndex(hItem);
    if (i != mbcs::npos)
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
}

// Entries are distinct, so the search may start anywhere: it starts where the last one ended and
// looks outwards, because "<<" asks for its entries in list order and removes them from the last
// back, and each is then found at once.
std::size_t CConvertListTree::FindIndex(HTREEITEM hItem) const {
    const std::size_t n = m_items.size();
    const std::size_t start = m_nLastFound < n ? m_nLastFound : n - 1;
    for (std::size_t d = 0; d < n; ++d) {
        if (start + d < n && m_items[start + d].hItem == hItem)
            return m_nLastFound = start + d;
        if (d <= start && m_items[start - d].hItem == hItem)
            return m_nLastFound = start - d;
    }
    return mbcs::npos;
}

void CConvertListTree::CopyEntries(std::vector<ConvertItem>& dest) const {
    dest = m_items;
}

void CConvertListTree::GetSelectedEntries(std::vector<HTREEITEM>& selected) const {
    selected.clear();
    for (const ConvertItem& item : m_items) {
        if (IsSelected(item.hItem))
            selected.push_back(item.hItem);
    }
}

HTREEITEM CConvertListTree::InsertPathItem(HTREEITEM hParent, const char* pszPath) {
    if (!AttachSystemImageList())
        return nullptr;
    CString strLookup(pszPath);
    if (!mbcs::EndsWithSeparator(strLookup.str()))
        strLookup += '\\';
    PathIcons icons;
    if (!GetPathIcons(pszPath, strLookup, &icons)) {
        m_strLastError = "Error Gettting SystemFileInfo!";
        return nullptr;
    }
    CString strText = strLookup.Left(strLookup.GetLength() - 1);
    TVINSERTSTRUCTA ins = {};
    ins.hParent = hParent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(static_cast<const char*>(strText));
    ins.item.iImage = icons.nImage;
    ins.item.iSelectedImage = icons.nSelectedImage;
    return InsertItem(&ins);
}

// Every document of a kind shows the same icons, so the shell, which takes milliseconds to
// answer, is asked once per extension; a path that does not exist is refused all the same.
// Folders and drives may each have icons of their own and are always asked for.
BOOL CConvertListTree::GetPathIcons(const char* pszPath, const CString& strLookup,
                                    PathIcons* pIcons) {
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return AskShell(strLookup, pIcons);
    const char* pszExt = mbcs::FindExtension(pszPath);
    std::string strExt(pszExt ? pszExt : "");
    mbcs::FoldLower(strExt);
    auto known = m_documentIcons.find(strExt);
    if (known != m_documentIcons.end()) {
        *pIcons = known->second;
        return TRUE;
    }
    if (!AskShell(strLookup, pIcons))
        return FALSE;
    // Programs and icon files draw their own icon, each file a different one.
    SHFILEINFOA sfi = {};
    if (SHGetFileInfoA(strLookup, 0, &sfi, sizeof(sfi), SHGFI_ICONLOCATION) &&
        mbcs::CompareNoCase(sfi.szDisplayName, pszPath) != 0)
        m_documentIcons.emplace(strExt, *pIcons);
    return TRUE;
}

// Only the index into the shared list is wanted, so no icon handle is made.
BOOL CConvertListTree::AskShell(const CString& strLookup, PathIcons* pIcons) {
    SHFILEINFOA sfi = {};
    if (!SHGetFileInfoA(strLookup, 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return FALSE;
    pIcons->nImage = sfi.iIcon;
    if (!SHGetFileInfoA(strLookup, 0, &sfi, sizeof(sfi),
                        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        return FALSE;
    pIcons->nSelectedImage = sfi.iIcon;
    return TRUE;
}

// The shared list never changes, so it is lent to the tree once, for the tree's whole life.
BOOL CConvertListTree::AttachSystemImageList() {
    if (m_imageList.GetSafeHandle() != nullptr)
        return TRUE;
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
