// 10,000 entries added from a second thread as the add thread adds them, then all selected and
// removed as "<<" does, against raw TVM_INSERTITEM / TVM_DELETEITEM of the same count.
#include "../BenchClock.h"
#include "listtree/CConvertListTree.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::Now;
using bench::TimeOnWorker;

const int kEntries = 10000;

HWND MakeTree(HWND parent) {
    return CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_CHECKBOXES, 0, 0, 300,
                           400, parent, reinterpret_cast<HMENU>(1016), nullptr, nullptr);
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND parent = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 500,
                                  nullptr, nullptr, nullptr, nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> files;
    for (int i = 0; i < 100; ++i) {
        files.push_back(std::string(temp) + "tandrel-list-bench-" + std::to_string(i) + ".doc");
        CloseHandle(CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr));
    }

    CConvertListTree list;
    list.SubclassWindow(MakeTree(parent));
    double add = TimeOnWorker([&] {
        for (int i = 0; i < kEntries; ++i)
            list.AddEntry(files[static_cast<size_t>(i % 100)].c_str(), 3, 1);
    });
    double remove = Now();
    for (HTREEITEM h = list.GetRootItem(); h; h = list.GetNextSiblingItem(h))
        list.SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
    std::vector<HTREEITEM> selected;
    for (HTREEITEM h = list.GetFirstSelectedItem(); h; h = list.GetNextSelectedItem(h))
        selected.push_back(h);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        list.RemoveEntry(*it);
        list.DeleteItem(*it);
    }
    remove = Now() - remove;

    HWND raw = MakeTree(parent);
    std::vector<HTREEITEM> rawItems;
    double rawAdd = TimeOnWorker([&] {
        for (int i = 0; i < kEntries; ++i) {
            TVINSERTSTRUCTA ins = {};
            ins.hParent = TVI_ROOT;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = const_cast<char*>(files[static_cast<size_t>(i % 100)].c_str());
            rawItems.push_back(reinterpret_cast<HTREEITEM>(
                SendMessageA(raw, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins))));
        }
    });
    double rawRemove = Now();
    for (auto it = rawItems.rbegin(); it != rawItems.rend(); ++it)
        SendMessageA(raw, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(*it));
    rawRemove = Now() - rawRemove;

    std::printf(
        "AddEntry x %d from a second thread: %.3f s (raw TVM_INSERTITEM %.3f s), ratio %.1f\n",
        kEntries, add, rawAdd, add / rawAdd);
    std::printf("select all + remove as \"<<\" (%zu entries): %.3f s (raw TVM_DELETEITEM %.3f s), "
                "ratio %.1f\n",
                selected.size(), remove, rawRemove, remove / rawRemove);
    std::printf("records left: %zu, items left: %u\n", list.m_items.size(), list.GetCount());
    for (const std::string& f : files)
        DeleteFileA(f.c_str());
    DestroyWindow(parent);
    return 0;
}
