#include "TreeClicks.h"

#include "UiPump.h"

#include <cstring>

POINT PointOn(HWND hTree, HTREEITEM hItem, ItemPart part) {
    RECT rc = {};
    memcpy(&rc, &hItem, sizeof(hItem)); // the control reads the item from the rectangle
    SendMessageA(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
    int y = (rc.top + rc.bottom) / 2;
    int indent = static_cast<int>(SendMessageA(hTree, TVM_GETINDENT, 0, 0));
    switch (part) {
    case ItemPart::Icon:
        return {rc.left - 8, y};
    case ItemPart::StateIcon:
        return {rc.left - 16 - 8, y};
    case ItemPart::Button: {
        // The button sits in the middle of the indent column left of the icon.
        return {rc.left - 16 - 3 - indent / 2, y};
    }
    case ItemPart::RightOfLabel:
        return {rc.right + 20, y};
    case ItemPart::Label:
    default:
        return {(rc.left + rc.right) / 2, y};
    }
}

void Press(HWND hTree, POINT pt, UINT mkDown, UINT mkUp) {
    PostMessageA(hTree, WM_LBUTTONUP, mkUp, MAKELPARAM(pt.x, pt.y));
    SendMessageA(hTree, WM_LBUTTONDOWN, mkDown | MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void Click(HWND hTree, HTREEITEM hItem, ItemPart part, UINT mk) {
    Press(hTree, PointOn(hTree, hItem, part), mk, mk);
    PumpMessages(0);
}

UINT HitFlags(HWND hTree, POINT pt) {
    TVHITTESTINFO info = {};
    info.pt = pt;
    SendMessageA(hTree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return info.flags;
}

std::vector<int> SelectedIndices(HWND hTree, const std::vector<HTREEITEM>& items) {
    std::vector<int> out;
    for (size_t i = 0; i < items.size(); ++i)
        if (SendMessageA(hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(items[i]),
                         TVIS_SELECTED) &
            TVIS_SELECTED)
            out.push_back(static_cast<int>(i));
    return out;
}
