#include "AppFixture.h"

#include "UiPump.h"
#include "res/resource.h"
#include "shared/ConvertType.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using AddRemove = AppFixture;

struct Entry {
    std::string path;
    int count;
    int type;
    bool operator==(const Entry& o) const {
        return path == o.path && count == o.count && type == o.type;
    }
};

// An entry's row where CountColours looks: in the list window, its border included.
RECT Row(const CConvertListTree& list, HTREEITEM item) {
    RECT rc = {}, window = {};
    list.GetItemRect(item, &rc, FALSE);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    list.GetWindowRect(&window);
    OffsetRect(&rc, -window.left, -window.top);
    return rc;
}

std::vector<Entry> Entries(const CConvertListTree& list) {
    std::vector<Entry> entries;
    for (const ConvertItem& item : list.m_items)
        entries.push_back({item.strPath.str(), item.nFileCount, item.nType});
    return entries;
}

} // namespace

// Each add run appends one entry per selected item with the type of the moment; a file inside
// a selected folder counts twice and a file of another kind counts nothing.
TEST_F(AddRemove, AddsEverySelectedItemWithItsCountAndTheTypeOfTheMoment) {
    src.WriteFile("Docs\\a.doc");
    src.WriteFile("Docs\\b.dot");
    src.WriteFile("Docs\\sub\\c.doc");
    src.WriteFile("Docs\\note.txt");
    src.WriteFile("Docs\\sheet.xls");

    SelectSources({});
    AddSelected();
    EXPECT_TRUE(Entries(dlg.m_listTree).empty());
    EXPECT_EQ(Utf8("转换文件数: 0"), Utf8(StatusText()));

    SelectSources({SourceItem("Docs"), SourceItem("Docs\\a.doc")});
    AddSelected();
    EXPECT_EQ(Utf8(drive->root() + "Docs\\a.doc"), Utf8(dlg.m_strBoxPathAtCount))
        << "the box ends on the last path examined";
    SendDlgItemMessageA(dlg, IDC_RADIO_EXCEL, BM_CLICK, 0, 0);
    SelectSources({SourceItem("Docs\\sheet.xls")});
    AddSelected();
    dlg.SendMessage(WM_COMMAND, ID_DIR_QOR_TO_OFFICE);
    SelectSources({SourceItem("Docs")});
    AddSelected();

    std::string docs = drive->root() + "Docs";
    std::vector<Entry> want = {{docs, 3, CT_WORD_TO_QOR},
                               {docs + "\\a.doc", 1, CT_WORD_TO_QOR},
                               {docs + "\\sheet.xls", 1, CT_EXCEL_TO_LX},
                               {docs, 0, CT_LX_TO_EXCEL}};
    EXPECT_EQ(want, Entries(dlg.m_listTree));
    EXPECT_EQ(5, dlg.m_nFileCount);
    EXPECT_EQ(Utf8("转换文件数: 5"), Utf8(StatusText()));
    PumpMessages(50);
    EXPECT_GT(CountColours(dlg.m_listTree, Row(dlg.m_listTree, ListItems().back())), 1)
        << "the list paints what the runs added";
}

// Cancel takes the box away at once and stops the count; the main window comes back when the
// thread has stopped, with the items finished before the cancel in the list.
TEST_F(AddRemove, CancelDuringALongCountKeepsTheFinishedItems) {
    src.WriteFile("Alpha\\a.doc");
    for (int i = 0; i < 3000; ++i)
        src.WriteFile("Big\\f" + std::to_string(i) + ".doc");
    SelectSources({SourceItem("Alpha"), SourceItem("Big")});
    // Every path is sent, so the count waits for this thread at each entry: Cancel is sure to
    // land in the middle of Big.
    dlg.m_shellTree.m_scanReport.m_nIntervalMs = 0;
    Press(IDC_ADD);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        box = FindWindowA(nullptr, "添加文件");
        return box != nullptr && CWnd(box).GetDlgItemText(IDC_SCAN_PATH).Find("\\Big") >= 0;
    }));
    EXPECT_FALSE(dlg.IsWindowEnabled());
    SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(box)) << "the box goes at once";
    ASSERT_TRUE(PumpUntil([&] { return dlg.IsWindowEnabled() && !IsWindow(box); }));
    std::vector<Entry> want = {{drive->root() + "Alpha", 1, CT_WORD_TO_QOR}};
    EXPECT_EQ(want, Entries(dlg.m_listTree));
    EXPECT_EQ(Utf8("转换文件数: 1"), Utf8(StatusText()));
}

// ">>" pressed again the moment the main window comes back, before the finishing run's box has
// closed: the finishing run's last command must not cancel the new run's count.
TEST_F(AddRemove, AddPressedAgainWhileARunFinishesCountsInFull) {
    src.WriteFile("Alpha\\a.doc");
    for (int i = 0; i < 200; ++i)
        src.WriteFile("Big\\f" + std::to_string(i) + ".doc");
    HTREEITEM alpha = SourceItem("Alpha"), big = SourceItem("Big");
    SelectSources({alpha});
    dlg.afterListCount = [&] {
        SelectSources({big});
        Press(IDC_ADD);
    };
    Press(IDC_ADD);
    ASSERT_TRUE(PumpUntil([&] {
        return dlg.m_listTree.m_items.size() == 2 && dlg.IsWindowEnabled() &&
               FindWindowA(nullptr, "添加文件") == nullptr;
    })) << "the second run added "
        << dlg.m_listTree.m_items.size() - 1 << " entries";
    std::vector<Entry> want = {{drive->root() + "Alpha", 1, CT_WORD_TO_QOR},
                               {drive->root() + "Big", 200, CT_WORD_TO_QOR}};
    EXPECT_EQ(want, Entries(dlg.m_listTree));
    EXPECT_EQ(Utf8("转换文件数: 201"), Utf8(StatusText()));
}

TEST_F(AddRemove, RemoveLowersTheCountByTheRemovedEntries) {
    HTREEITEM folder = AddEntry(src.MakeDir("F"), CT_WORD_TO_QOR, 12);
    HTREEITEM keep = AddEntry(src.WriteFile("k.doc"), CT_WORD_TO_QOR, 1);
    HTREEITEM file = AddEntry(src.WriteFile("f.doc"), CT_WORD_TO_QOR, 1);
    HTREEITEM last = AddEntry(src.WriteFile("l.xls"), CT_EXCEL_TO_LX, 1);
    dlg.m_listTree.ClearSelection();
    Press(IDC_REMOVE);
    EXPECT_EQ(4u, ListItems().size());
    EXPECT_EQ(Utf8("转换文件数: 15"), Utf8(StatusText()));

    dlg.m_listTree.SetItemState(folder, TVIS_SELECTED, TVIS_SELECTED);
    dlg.m_listTree.SetItemState(file, TVIS_SELECTED, TVIS_SELECTED);
    RECT freed = Row(dlg.m_listTree, last);
    Press(IDC_REMOVE);
    PumpMessages(50);
    // One repaint once all are gone: the entries left are drawn and the rows they left are blank.
    EXPECT_GT(CountColours(dlg.m_listTree, Row(dlg.m_listTree, last)), 1);
    EXPECT_EQ(1, CountColours(dlg.m_listTree, freed));
    EXPECT_EQ((std::vector<HTREEITEM>{keep, last}), ListItems());
    std::vector<Entry> want = {{src / "k.doc", 1, CT_WORD_TO_QOR},
                               {src / "l.xls", 1, CT_EXCEL_TO_LX}};
    EXPECT_EQ(want, Entries(dlg.m_listTree));
    EXPECT_EQ(2, dlg.m_nFileCount);
    EXPECT_EQ(Utf8("转换文件数: 2"), Utf8(StatusText()));
}
