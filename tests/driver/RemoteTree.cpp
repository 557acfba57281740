#include "RemoteTree.h"

#include <cstring>

namespace {

constexpr size_t kTextOffset = 256;
constexpr size_t kTextSize = 1024;

} // namespace

RemoteTree::RemoteTree(HANDLE hProcess, HWND hTree)
    : m_hTree(hTree), m_buffer(hProcess, kTextOffset + kTextSize) {}

int RemoteTree::Count() const {
    return static_cast<int>(SendMessageA(m_hTree, TVM_GETCOUNT, 0, 0));
}

HTREEITEM RemoteTree::Next(HTREEITEM hItem, UINT code) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(m_hTree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM RemoteTree::FirstChild(HTREEITEM hItem) const {
    return Next(hItem, TVGN_CHILD);
}

HTREEITEM RemoteTree::Child(HTREEITEM hParent, const std::string& text) const {
    for (HTREEITEM item = FirstChild(hParent); item != nullptr; item = Next(item, TVGN_NEXT))
        if (Text(item) == text)
            return item;
    return nullptr;
}

std::vector<HTREEITEM> RemoteTree::DisplayOrder() const {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = Next(nullptr, TVGN_ROOT); item != nullptr;
         item = Next(item, TVGN_NEXTVISIBLE))
        items.push_back(item);
    return items;
}

std::vector<HTREEITEM> RemoteTree::SelectedItems() const {
    std::vector<HTREEITEM> selected;
    for (HTREEITEM item : DisplayOrder())
        if (Selected(item))
            selected.push_back(item);
    return selected;
}

HTREEITEM RemoteTree::Find(const std::string& text, bool whole) const {
    for (HTREEITEM item : DisplayOrder()) {
        std::string label = Text(item);
        if (whole ? label == text : label.find(text) != std::string::npos)
            return item;
    }
    return nullptr;
}

std::string RemoteTree::Text(HTREEITEM hItem) const {
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = reinterpret_cast<char*>(m_buffer.At(kTextOffset));
    item.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (!m_buffer.Write(0, &item, sizeof(item)) || !m_buffer.Write(kTextOffset, text, 1) ||
        !SendMessageA(m_hTree, TVM_GETITEMA, 0, m_buffer.At()) ||
        !m_buffer.Read(0, &item, sizeof(item)))
        return std::string();
    // The control may answer with a pointer to its own copy instead of filling our buffer.
    size_t offset = static_cast<size_t>(reinterpret_cast<char*>(item.pszText) -
                                        reinterpret_cast<char*>(m_buffer.At()));
    if (offset != kTextOffset || !m_buffer.Read(kTextOffset, text, kTextSize))
        return std::string();
    text[kTextSize - 1] = '\0';
    return text;
}

UINT RemoteTree::State(HTREEITEM hItem, UINT mask) const {
    return static_cast<UINT>(
        SendMessageA(m_hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), mask));
}

bool RemoteTree::Checked(HTREEITEM hItem) const {
    return (State(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool RemoteTree::LabelRect(HTREEITEM hItem, RECT* pScreenRect) const {
    RECT rc = {};
    memcpy(&rc, &hItem, sizeof(hItem)); // the control reads the item from the rectangle
    if (!m_buffer.Write(0, &rc, sizeof(rc)) ||
        !SendMessageA(m_hTree, TVM_GETITEMRECT, TRUE, m_buffer.At()) ||
        !m_buffer.Read(0, &rc, sizeof(rc)))
        return false;
    MapWindowPoints(m_hTree, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    *pScreenRect = rc;
    return true;
}

RECT RemoteTree::ClientRect() const {
    RECT rc = {};
    GetClientRect(m_hTree, &rc);
    MapWindowPoints(m_hTree, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

UINT RemoteTree::HitTest(POINT screenPoint, HTREEITEM* pItem) const {
    TVHITTESTINFO info = {};
    info.pt = screenPoint;
    ScreenToClient(m_hTree, &info.pt);
    if (!m_buffer.Write(0, &info, sizeof(info)))
        return 0;
    SendMessageA(m_hTree, TVM_HITTEST, 0, m_buffer.At());
    if (!m_buffer.Read(0, &info, sizeof(info)))
        return 0;
    if (pItem != nullptr)
        *pItem = info.hItem;
    return info.flags;
}
