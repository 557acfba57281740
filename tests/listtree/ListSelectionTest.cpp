#include "listtree/CConvertListTree.h"

#include "TempDir.h"
#include "TreeClicks.h"
#include "TreeHostDialog.h"
#include "UiPump.h"

#include <gtest/gtest.h>

namespace {

// Five entries; clicks go to the real control as separate press and release messages.
class ListSelectionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
        for (int i = 0; i < 5; ++i)
            e.push_back(
                tree().AddEntry(dir.WriteFile("第" + std::to_string(i) + ".doc").c_str(), 3, 1));
        ASSERT_EQ(5u, tree().GetCount());
        SetFocus(GetDlgItem(dlg, IDOK));
    }
    CConvertListTree& tree() { return dlg.m_tree; }
    // Indices of the entries whose selected bit is set, top to bottom.
    std::vector<int> Selected() { return SelectedIndices(tree(), e); }
    int Caret() {
        HTREEITEM h = tree().GetSelectedItem();
        for (size_t i = 0; i < e.size(); ++i)
            if (e[i] == h)
                return static_cast<int>(i);
        return -1;
    }
    void Select(std::initializer_list<int> which) {
        Click(tree(), e[*which.begin()], ItemPart::Label);
        for (auto it = which.begin() + 1; it != which.end(); ++it)
            Click(tree(), e[*it], ItemPart::Label, MK_CONTROL);
    }

    TreeHostDialog<CConvertListTree> dlg{IDC_LIST_TREE};
    TempDir dir;
    std::vector<HTREEITEM> e;
};

using V = std::vector<int>;

} // namespace

TEST_F(ListSelectionTest, ClickPointsHitTheIntendedParts) {
    EXPECT_TRUE(HitFlags(tree(), PointOn(tree(), e[1], ItemPart::Label)) & TVHT_ONITEMLABEL);
    EXPECT_TRUE(HitFlags(tree(), PointOn(tree(), e[1], ItemPart::Icon)) & TVHT_ONITEMICON);
    EXPECT_TRUE(HitFlags(tree(), PointOn(tree(), e[1], ItemPart::StateIcon)) &
                TVHT_ONITEMSTATEICON);
    EXPECT_TRUE(HitFlags(tree(), PointOn(tree(), e[1], ItemPart::RightOfLabel)) & TVHT_ONITEMRIGHT);
}

TEST_F(ListSelectionTest, PlainClickOnAnUnselectedEntrySelectsOnlyItAtOnce) {
    Select({0, 3});
    Press(tree(), PointOn(tree(), e[2], ItemPart::Label), 0, 0);
    EXPECT_EQ(V{2}, Selected()) << "applied at the press";
    EXPECT_EQ(2, Caret());
    EXPECT_EQ(e[2], tree().m_hSelectAnchor);
    EXPECT_EQ(tree().m_hWnd, GetFocus());
    PumpMessages(0);
    EXPECT_EQ(V{2}, Selected());
    EXPECT_EQ(nullptr, tree().m_hClickedItem) << "cleared at the release";
}

TEST_F(ListSelectionTest, PlainClickOnTheCaretLabelOnlyTakesTheFocus) {
    Select({0, 2, 4});
    ASSERT_EQ(4, Caret());
    SetFocus(GetDlgItem(dlg, IDOK));
    Click(tree(), e[4], ItemPart::Label);
    EXPECT_EQ((V{0, 2, 4}), Selected());
    EXPECT_EQ(tree().m_hWnd, GetFocus());
    EXPECT_EQ(e[0], tree().m_hSelectAnchor);
}

TEST_F(ListSelectionTest, PlainClickOnAnotherSelectedEntryAppliesAtTheRelease) {
    Select({0, 2, 4});
    dlg.m_notes.clear();
    Press(tree(), PointOn(tree(), e[2], ItemPart::Label), 0, 0);
    EXPECT_EQ((V{0, 2, 4}), Selected()) << "unchanged while the button is down";
    EXPECT_TRUE(tree().m_bPendingSelect);
    PumpMessages(0);
    EXPECT_EQ(V{2}, Selected());
    EXPECT_EQ(2, Caret());
    EXPECT_EQ(e[2], tree().m_hSelectAnchor);
    EXPECT_FALSE(tree().m_bPendingSelect);
    auto changed = dlg.ClickNotes(TVN_SELCHANGEDA);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(e[2], changed.back().hItem);
    EXPECT_EQ(0u, dlg.ClickNotes(TVN_SELCHANGINGA, TVC_BYMOUSE).size()) << "only Ctrl warns first";
}

TEST_F(ListSelectionTest, CtrlClicksAddAndDropSingleEntries) {
    Select({1});
    dlg.m_notes.clear();
    POINT pt = PointOn(tree(), e[3], ItemPart::Icon);
    Press(tree(), pt, MK_CONTROL, MK_CONTROL);
    EXPECT_EQ((V{1, 3}), Selected()) << "an unselected entry is added at the press";
    EXPECT_EQ(3, Caret());
    PumpMessages(0);

    // Moving the caret makes the control send its own pair (action TVC_UNKNOWN) in between.
    auto changing = dlg.ClickNotes(TVN_SELCHANGINGA, TVC_BYMOUSE);
    ASSERT_EQ(1u, changing.size());
    EXPECT_EQ(static_cast<UINT>(TVC_BYMOUSE), changing[0].action);
    EXPECT_EQ(e[3], changing[0].hItem);
    EXPECT_EQ(pt.x, changing[0].ptDrag.x);
    EXPECT_EQ(pt.y, changing[0].ptDrag.y);
    EXPECT_EQ(0u, changing[0].state & TVIS_SELECTED) << "sent before the change";
    ASSERT_EQ(static_cast<UINT>(TVN_SELCHANGEDA), dlg.m_notes.back().code) << "the last word";
    RecordedNotify changed = dlg.m_notes.back();
    EXPECT_EQ(0u, changed.action);
    EXPECT_EQ(e[3], changed.hItem);
    EXPECT_EQ(static_cast<UINT>(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM), changed.mask);
    EXPECT_TRUE(changed.state & TVIS_SELECTED);

    Press(tree(), PointOn(tree(), e[1], ItemPart::Label), MK_CONTROL, MK_CONTROL);
    EXPECT_EQ((V{1, 3}), Selected()) << "a selected entry waits for the release";
    PumpMessages(0);
    EXPECT_EQ(V{3}, Selected());
    EXPECT_EQ(3, Caret()) << "dropping an entry leaves the caret";

    Click(tree(), e[3], ItemPart::Label, MK_CONTROL);
    EXPECT_EQ(V{}, Selected()) << "the caret entry itself can be dropped";
    EXPECT_EQ(3, Caret());
    EXPECT_EQ(e[1], tree().m_hSelectAnchor) << "Ctrl never moves an existing anchor";
}

TEST_F(ListSelectionTest, ShiftClicksSelectRunsFromTheAnchor) {
    Select({1});
    Click(tree(), e[3], ItemPart::Label, MK_SHIFT);
    EXPECT_EQ((V{1, 2, 3}), Selected());
    EXPECT_EQ(3, Caret());
    Click(tree(), e[0], ItemPart::Icon, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ((V{0, 1}), Selected()) << "upwards, and Shift with Ctrl is Shift";
    EXPECT_EQ(0, Caret());
    EXPECT_EQ(e[1], tree().m_hSelectAnchor);
}

TEST_F(ListSelectionTest, ShiftAfterTheAnchorWasRemovedRunsToTheLastEntry) {
    Select({1});
    tree().RemoveEntry(e[1]);
    tree().DeleteItem(e[1]);
    e.erase(e.begin() + 1);
    Click(tree(), e[2], ItemPart::Label, MK_SHIFT);
    EXPECT_EQ((V{2, 3}), Selected());
}

TEST_F(ListSelectionTest, PressOnACheckBoxSelectsWithoutTogglingIt) {
    tree().SetCheck(e[3], TRUE);
    Select({0});
    Click(tree(), e[3], ItemPart::StateIcon);
    Click(tree(), e[2], ItemPart::StateIcon);
    EXPECT_EQ(V{2}, Selected());
    EXPECT_TRUE(tree().GetCheck(e[3]));
    EXPECT_FALSE(tree().GetCheck(e[2]));
}

TEST_F(ListSelectionTest, SpaceBarTogglesTheCaretBoxAsTheControlDoes) {
    Select({2});
    SendMessageA(tree(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree(), WM_KEYUP, VK_SPACE, 0);
    PumpMessages(0);
    EXPECT_TRUE(tree().GetCheck(e[2]));
}

TEST_F(ListSelectionTest, PressesBesideEveryEntryAreLeftToTheControl) {
    Select({0, 2});
    Click(tree(), e[4], ItemPart::RightOfLabel);
    EXPECT_EQ((V{0, 2}), Selected());
    RECT rc;
    tree().GetClientRect(&rc);
    Press(tree(), POINT{rc.right / 2, rc.bottom - 4}, 0, 0);
    PumpMessages(0);
    EXPECT_EQ(nullptr, tree().m_hClickedItem);
}

TEST_F(ListSelectionTest, SelectedEntriesAreWalkedInListOrder) {
    Select({3, 0, 4});
    std::vector<HTREEITEM> walked;
    for (HTREEITEM h = tree().GetFirstSelectedItem(); h; h = tree().GetNextSelectedItem(h))
        walked.push_back(h);
    EXPECT_EQ((std::vector<HTREEITEM>{e[0], e[3], e[4]}), walked);
    std::vector<HTREEITEM> fromRecords(2);
    tree().GetSelectedEntries(fromRecords);
    EXPECT_EQ(walked, fromRecords) << "the records give the same entries in the same order";
    tree().ClearSelection();
    EXPECT_EQ(nullptr, tree().GetFirstSelectedItem());
    EXPECT_FALSE(tree().SelectRange(reinterpret_cast<HTREEITEM>(1), reinterpret_cast<HTREEITEM>(2)))
        << "neither end in the list";
}
