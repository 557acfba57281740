#include "framework/CTreeCtrl.h"

#include "framework/CMultiSelectTree.h"
#include "TreeHostDialog.h"
#include "UiPump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class TreeCtrlTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG)); }
    CTreeCtrl& tree() { return dlg.m_tree; }
    TreeHostDialog<CTreeCtrl> dlg{IDC_SHELL_TREE};
};

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM) {
    return a < b ? 1 : a > b ? -1 : 0;
}

} // namespace

TEST_F(TreeCtrlTest, CheckBoxesAreStateImagesOneAndTwo) {
    tree().ModifyStyle(0, TVS_CHECKBOXES);
    HTREEITEM h = tree().InsertItem("x");
    EXPECT_FALSE(tree().GetCheck(h));
    tree().SetCheck(h, TRUE);
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), tree().GetItemState(h, TVIS_STATEIMAGEMASK));
    EXPECT_TRUE(tree().GetCheck(h));
    tree().SetCheck(h, FALSE);
    EXPECT_FALSE(tree().GetCheck(h));
    tree().SetItemState(h, INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
    EXPECT_TRUE(tree().GetCheck(h)) << "anything but index 1 counts as checked";
}

TEST_F(TreeCtrlTest, HitTestAndSortingByCallback) {
    HTREEITEM items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = tree().InsertItem(("item" + std::to_string(i)).c_str());
        tree().SetItemData(items[i], static_cast<DWORD_PTR>(i));
    }
    TVSORTCB sort = {TVI_ROOT, &ByDataDescending, 0};
    ASSERT_TRUE(tree().SortChildrenCB(&sort));
    EXPECT_EQ(items[2], tree().GetRootItem());
    EXPECT_EQ(items[0], tree().GetNextSiblingItem(items[1]));

    RECT rc;
    ASSERT_TRUE(tree().GetItemRect(items[1], &rc, TRUE));
    UINT flags = 0;
    EXPECT_EQ(items[1],
              tree().HitTest(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    tree().EnsureVisible(items[0]);
    EXPECT_EQ(items[2], tree().GetFirstVisibleItem());
}

TEST_F(TreeCtrlTest, CallsFromAnotherThreadRunOnTheWindowsThread) {
    std::atomic<bool> done{false};
    HTREEITEM inserted = nullptr;
    CString text;
    std::thread worker([&] {
        inserted = tree().InsertItem("来自线程");
        text = tree().GetItemText(inserted);
        done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(inserted, tree().GetRootItem());
    EXPECT_STREQ("来自线程", text);
}

namespace {

class PlainMultiTree : public CMultiSelectTree {
protected:
    BOOL OnPlainLabelPress(HTREEITEM) override { return FALSE; }
};

} // namespace

TEST(MultiSelectTree, SelectedItemsUnderCollapsedParentsAreSkipped) {
    TreeHostDialog<PlainMultiTree> dlg(IDC_SHELL_TREE);
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
    PlainMultiTree& tree = dlg.m_tree;
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM a1 = tree.InsertItem("a1", a);
    HTREEITEM b = tree.InsertItem("b");
    tree.SetItemState(a1, TVIS_SELECTED, TVIS_SELECTED);
    tree.SetItemState(b, TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_EQ(b, tree.GetFirstSelectedItem()) << "a1 is hidden under its collapsed parent";
    EXPECT_EQ(nullptr, tree.GetNextSelectedItem(b));
    tree.Expand(a, TVE_EXPAND);
    EXPECT_EQ(a1, tree.GetFirstSelectedItem());
    EXPECT_EQ(b, tree.GetNextSelectedItem(a1));
}
