#include "framework/CTreeCtrl.h"

#include "framework/CImageList.h"

#include <cstring>
#include <vector>

namespace {

LPARAM ToParam(const void* p) {
    return reinterpret_cast<LPARAM>(p);
}

} // namespace

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTA* pInsert) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, ToParam(pInsert)));
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    TVINSERTSTRUCTA ins = {};
    ins.hParent = hParent;
    ins.hInsertAfter = hInsertAfter;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return InsertItem(&ins);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, ToParam(hItem)));
}

BOOL CTreeCtrl::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, ToParam(hItem)));
}

UINT CTreeCtrl::GetCount() const {
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

BOOL CTreeCtrl::GetItem(TVITEMA* pItem) const {
    return static_cast<BOOL>(SendMessage(TVM_GETITEMA, 0, ToParam(pItem)));
}

BOOL CTreeCtrl::SetItem(TVITEMA* pItem) {
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, ToParam(pItem)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    std::vector<char> buf(1024);
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    return GetItem(&item) ? CString(item.pszText) : CString();
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem),
                                         static_cast<LPARAM>(nStateMask)));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const {
    return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1 != 0;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck) {
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, ToParam(hItem)));
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, ToParam(hItem)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, ToParam(hItem)));
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const {
    // The control reads the item from the rectangle it is to fill.
    memcpy(pRect, &hItem, sizeof(hItem));
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, ToParam(pRect)));
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* pFlags) const {
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, ToParam(&info)));
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}

BOOL CTreeCtrl::SortChildrenCB(const TVSORTCB* pSort) {
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, ToParam(pSort)));
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    HIMAGELIST hList = pImageList ? pImageList->GetSafeHandle() : nullptr;
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), ToParam(hList)));
}

HIMAGELIST CTreeCtrl::GetImageList(int nImageListType) const {
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType)));
}
