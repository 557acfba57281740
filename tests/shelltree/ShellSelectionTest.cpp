#include "ShellTreeFixture.h"

#include "TreeClicks.h"
#include "UiPump.h"

namespace {

// Four folders on the test drive, listed under the expanded drive item.
class ShellSelectionTest : public ShellTreeFixture {
protected:
    void SetUp() override {
        ShellTreeFixture::SetUp();
        for (const char* name : {"a", "b", "c", "d"})
            dir.WriteFile(std::string(name) + "\\x.doc");
        hDrive = ExpandedDrive();
        f = Children(hDrive);
        ASSERT_EQ(4u, f.size());
        tree().EnsureVisible(f[3]);
        tree().ClearSelection();
    }
    std::vector<int> Selected() { return SelectedIndices(tree(), f); }
    bool IsCaret(int i) { return tree().GetSelectedItem() == f[static_cast<size_t>(i)]; }

    HTREEITEM hDrive = nullptr;
    std::vector<HTREEITEM> f;
};

using V = std::vector<int>;

} // namespace

TEST_F(ShellSelectionTest, PlainClicksOnLabelAndIcon) {
    Press(tree(), PointOn(tree(), f[1], ItemPart::Label), 0, 0);
    EXPECT_EQ(V{1}, Selected()) << "a label press selects at once";
    EXPECT_TRUE(IsCaret(1));
    EXPECT_EQ(f[1], tree().m_hSelectAnchor);
    PumpMessages(0);
    EXPECT_EQ(0u, dlg.ClickNotes(TVN_SELCHANGEDA, TVC_BYMOUSE).size());

    dlg.m_notes.clear();
    Click(tree(), f[2], ItemPart::Icon);
    EXPECT_EQ(V{2}, Selected());
    EXPECT_TRUE(IsCaret(2));
    ASSERT_FALSE(dlg.m_notes.empty());
    const RecordedNotify& last = dlg.m_notes.back();
    EXPECT_EQ(static_cast<UINT>(TVN_SELCHANGEDA), last.code)
        << "the icon click goes through ClickSelect";
    EXPECT_EQ(f[2], last.hItem);
    EXPECT_EQ(static_cast<LPARAM>(tree().GetItemData(f[2])), last.lParam);
}

TEST_F(ShellSelectionTest, APressOnTheCaretWaitsForTheRelease) {
    Click(tree(), f[0], ItemPart::Label);
    Click(tree(), f[2], ItemPart::Label, MK_CONTROL);
    Click(tree(), f[3], ItemPart::Label, MK_CONTROL);
    ASSERT_EQ((V{0, 2, 3}), Selected());
    ASSERT_TRUE(IsCaret(3));
    Press(tree(), PointOn(tree(), f[3], ItemPart::Label), 0, 0);
    EXPECT_EQ((V{0, 2, 3}), Selected()) << "kept while the button is down";
    PumpMessages(0);
    EXPECT_EQ(V{3}, Selected());
}

TEST_F(ShellSelectionTest, TheReleasesModifiersDecideAPendingClick) {
    Click(tree(), f[0], ItemPart::Label);
    Click(tree(), f[1], ItemPart::Label, MK_CONTROL);
    Press(tree(), PointOn(tree(), f[0], ItemPart::Label), MK_CONTROL, MK_CONTROL);
    EXPECT_EQ((V{0, 1}), Selected());
    PumpMessages(0);
    EXPECT_EQ(V{1}, Selected()) << "Ctrl at the release drops it";
    EXPECT_TRUE(IsCaret(1));

    Click(tree(), f[2], ItemPart::Label, MK_CONTROL);
    Press(tree(), PointOn(tree(), f[1], ItemPart::Label), MK_CONTROL, 0);
    PumpMessages(0);
    EXPECT_EQ(V{1}, Selected()) << "Ctrl let go first: a plain click";
}

TEST_F(ShellSelectionTest, ShiftRangesFromTheAnchorTheCaretOrTheClickedItemDown) {
    tree().SelectItem(f[1]);
    tree().m_hSelectAnchor = nullptr;
    Click(tree(), f[3], ItemPart::Label, MK_SHIFT);
    EXPECT_EQ((V{1, 2, 3}), Selected()) << "no anchor: from the caret";
    EXPECT_EQ(f[1], tree().m_hSelectAnchor);

    // The anchor goes with its folder's collapse; the run then reaches the last visible item.
    HTREEITEM hA = f[0];
    tree().Expand(hA, TVE_EXPAND);
    HTREEITEM hInner = Children(hA).front();
    Click(tree(), hInner, ItemPart::Label);
    ClickButton(hA);
    Click(tree(), f[2], ItemPart::Label, MK_SHIFT);
    EXPECT_EQ((V{2, 3}), Selected());
    HTREEITEM hNext = tree().GetNextVisibleItem(f[3]);
    for (; hNext; hNext = tree().GetNextVisibleItem(hNext))
        EXPECT_TRUE(tree().GetItemState(hNext, TVIS_SELECTED) & TVIS_SELECTED);
    for (HTREEITEM h = tree().GetRootItem(); h != f[2]; h = tree().GetNextVisibleItem(h))
        EXPECT_FALSE(tree().GetItemState(h, TVIS_SELECTED) & TVIS_SELECTED) << "cleared above";
}

TEST_F(ShellSelectionTest, ButtonsAndIndentationAreLeftToTheControl) {
    Click(tree(), f[1], ItemPart::Label);
    POINT pt = PointOn(tree(), f[0], ItemPart::Button);
    EXPECT_TRUE(HitFlags(tree(), pt) & TVHT_ONITEMBUTTON);
    Press(tree(), pt, 0, 0);
    PumpMessages(0);
    EXPECT_TRUE(tree().GetItemState(f[0], TVIS_EXPANDED) & TVIS_EXPANDED) << "expanded as usual";
    EXPECT_FALSE(Children(f[0]).empty());
    EXPECT_EQ(V{1}, Selected());

    RECT rc;
    tree().GetItemRect(f[2], &rc, FALSE);
    POINT indent = {rc.left + 2, (rc.top + rc.bottom) / 2};
    EXPECT_TRUE(HitFlags(tree(), indent) & TVHT_ONITEMINDENT);
    Press(tree(), indent, MK_CONTROL, MK_CONTROL);
    PumpMessages(0);
    EXPECT_EQ(nullptr, tree().m_hClickedItem);
    EXPECT_FALSE(tree().GetItemState(f[2], TVIS_SELECTED) & TVIS_SELECTED);
}

TEST_F(ShellSelectionTest, SelectedItemsAreWalkedInDisplayOrder) {
    tree().Expand(f[1], TVE_EXPAND);
    HTREEITEM hInner = Children(f[1]).front();
    Click(tree(), f[3], ItemPart::Label);
    Click(tree(), hInner, ItemPart::Label, MK_CONTROL);
    Click(tree(), f[0], ItemPart::Label, MK_CONTROL);
    std::vector<HTREEITEM> walked;
    for (HTREEITEM h = tree().GetFirstSelectedItem(); h; h = tree().GetNextSelectedItem(h))
        walked.push_back(h);
    EXPECT_EQ((std::vector<HTREEITEM>{f[0], hInner, f[3]}), walked);
}
