// 10,000 entries added to the conversion list of the real main window, shown on the screen, from
// a second thread as an add run adds them, then all selected and removed with the window's own
// "<<"; against raw TVM_INSERTITEM from a second thread and raw TVM_DELETEITEM on a plain tree
// view of the same size, style, font and image list, shown beside it in the same window (in the
// source tree's place). Both sides turn their tree's redraw off for the run and paint it once at
// the end, as the program does. The adding alternates between the two sides in chunks of 1,000,
// so that a busy machine slows both alike. A short run with redraw left on shows what each
// message costs a visible tree without that.
#include "../BenchClock.h"
#include "app/ConvertDlg.h"
#include "res/resource.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Now;
using bench::TimeOnWorker;

const int kEntries = 10000;
const int kChunk = 1000;
const int kStormEntries = 500;

class BenchDlg : public CConvertDlg {
public:
    using CConvertDlg::m_listTree;
    using CConvertDlg::m_shellTree;
};

// A plain tree view in the source tree's place, made like the list.
HWND MakeRawTree(BenchDlg& dlg) {
    RECT rc;
    dlg.m_shellTree.GetWindowRect(&rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    dlg.m_shellTree.ShowWindow(SW_HIDE);
    HWND raw =
        CreateWindowExA(0, WC_TREEVIEWA, "", dlg.m_listTree.GetStyle(), rc.left, rc.top,
                        rc.right - rc.left, rc.bottom - rc.top, dlg, nullptr, nullptr, nullptr);
    SendMessageA(raw, WM_SETFONT, reinterpret_cast<WPARAM>(dlg.m_listTree.GetFont()), FALSE);
    LONG style = GetWindowLongA(raw, GWL_STYLE);
    SetWindowLongA(raw, GWL_STYLE, style & ~TVS_CHECKBOXES);
    SetWindowLongA(raw, GWL_STYLE, style);
    SHFILEINFOA sfi = {};
    auto system = static_cast<LPARAM>(
        SHGetFileInfoA("C:\\", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SendMessageA(raw, TVM_SETIMAGELIST, TVSIL_NORMAL, system);
    return raw;
}

HTREEITEM RawInsert(HWND raw, const std::string& text, int image) {
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.iImage = ins.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(raw, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

// Entries first..last-1 as the add thread adds them: redraw off before the first, on after the
// last with one repaint.
double AddChunk(BenchDlg& dlg, const std::vector<std::string>& files, int first, int last) {
    CConvertListTree& list = dlg.m_listTree;
    double seconds = TimeOnWorker([&] {
        if (first == 0)
            list.SetRedraw(FALSE);
        for (int i = first; i < last; ++i)
            list.AddEntry(files[static_cast<size_t>(i) % files.size()].c_str(), 3, 1);
        if (last == kEntries) {
            list.SetRedraw(TRUE);
            list.Invalidate();
        }
    });
    double painted = Now();
    UpdateWindow(list);
    return seconds + (Now() - painted);
}

double RawAddChunk(HWND raw, const std::vector<std::string>& files, int first, int last, int image,
                   bool quiet, std::vector<HTREEITEM>& items) {
    double seconds = TimeOnWorker([&] {
        if (quiet && first == 0)
            SendMessageA(raw, WM_SETREDRAW, FALSE, 0);
        for (int i = first; i < last; ++i)
            items.push_back(RawInsert(raw, files[static_cast<size_t>(i) % files.size()], image));
        if (quiet && last == kEntries) {
            SendMessageA(raw, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(raw, nullptr, TRUE);
        }
    });
    double painted = Now();
    UpdateWindow(raw);
    return seconds + (Now() - painted);
}

double RemoveWithTheButton(BenchDlg& dlg) {
    CConvertListTree& list = dlg.m_listTree;
    // Selecting is not measured; each selection change repaints a shown tree's scroll bar.
    list.ShowWindow(SW_HIDE);
    for (HTREEITEM h = list.GetRootItem(); h; h = list.GetNextSiblingItem(h))
        list.SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
    list.ShowWindow(SW_SHOW);
    UpdateWindow(list);
    double start = Now();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_REMOVE)));
    UpdateWindow(list);
    return Now() - start;
}

double RawRemove(HWND raw, std::vector<HTREEITEM>& items, bool quiet) {
    double start = Now();
    if (quiet)
        SendMessageA(raw, WM_SETREDRAW, FALSE, 0);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        SendMessageA(raw, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(*it));
    if (quiet) {
        SendMessageA(raw, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(raw, nullptr, TRUE);
    }
    UpdateWindow(raw);
    items.clear();
    return Now() - start;
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> files;
    for (int i = 0; i < 100; ++i) {
        files.push_back(std::string(temp) + "tandrel-list-bench-" + std::to_string(i) + ".doc");
        CloseHandle(CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr));
    }
    SHFILEINFOA sfi = {};
    SHGetFileInfoA(files[0].c_str(), 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    const int docImage = sfi.iIcon;

    BenchDlg dlg;
    dlg.Create(IDD_CONVERT_DIALOG);
    HWND raw = MakeRawTree(dlg);
    std::vector<HTREEITEM> rawItems;

    // Two rounds; in each the adding alternates chunk by chunk, the removals follow each other.
    double bestAdd = 1e9, bestRemove = 1e9;
    for (int round = 0; round < 2; ++round) {
        double add = 0, rawAdd = 0;
        for (int first = 0; first < kEntries; first += kChunk) {
            add += AddChunk(dlg, files, first, first + kChunk);
            rawAdd += RawAddChunk(raw, files, first, first + kChunk, docImage, true, rawItems);
        }
        size_t added = dlg.m_listTree.m_items.size();
        double remove = RemoveWithTheButton(dlg);
        double rawRemove = RawRemove(raw, rawItems, true);
        std::printf("round %d: adding %.3f s (%zu entries) / raw %.3f s, ratio %.2f; \"<<\" %.3f s "
                    "(%zu left) / raw %.3f s, ratio %.2f\n",
                    round + 1, add, added, rawAdd, add / rawAdd, remove,
                    dlg.m_listTree.m_items.size(), rawRemove, remove / rawRemove);
        bestAdd = std::min(bestAdd, add / rawAdd);
        bestRemove = std::min(bestRemove, remove / rawRemove);
    }
    std::printf("adding %d entries from a second thread to a visible list: ratio %.2f against raw "
                "TVM_INSERTITEM (better round)\n",
                kEntries, bestAdd);
    std::printf("removing them with \"<<\" from a visible list: ratio %.2f against raw "
                "TVM_DELETEITEM (better round)\n",
                bestRemove);

    double stormAdd = RawAddChunk(raw, files, 0, kStormEntries, docImage, false, rawItems);
    double stormRemove = RawRemove(raw, rawItems, false);
    std::printf("for comparison, raw messages with redraw left on: %.2f ms per insert, %.2f ms "
                "per delete (%d entries)\n",
                stormAdd * 1000.0 / kStormEntries, stormRemove * 1000.0 / kStormEntries,
                kStormEntries);

    DestroyWindow(raw);
    dlg.DestroyWindow();
    for (const std::string& f : files)
        DeleteFileA(f.c_str());
    return 0;
}
