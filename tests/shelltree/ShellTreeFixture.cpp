#include "ShellTreeFixture.h"

#include "ShellItems.h"
#include "TreeClicks.h"
#include "UiPump.h"

const char kWordFilter[] = "Word文件 (*.doc;*.dot)|*.doc;*.dot||";

void ShellTreeFixture::SetUp() {
    drive = new TestDrive(dir.path(), DRIVE_FIXED);
    ASSERT_TRUE(drive->ok()) << "no drive letter from the mount manager";
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
}

void ShellTreeFixture::TearDown() {
    dlg.DestroyWindow();
    delete drive;
}

std::vector<HTREEITEM> ShellTreeFixture::Children(HTREEITEM hParent) {
    std::vector<HTREEITEM> out;
    for (HTREEITEM h = tree().GetChildItem(hParent); h; h = tree().GetNextSiblingItem(h))
        out.push_back(h);
    return out;
}

HTREEITEM ShellTreeFixture::DriveItem() {
    return ShellItemOf(tree(), drive->root(), "");
}

HTREEITEM ShellTreeFixture::ExpandedDrive(const char* filter) {
    tree().SetFilter(TRUE, filter);
    HTREEITEM hDrive = DriveItem();
    EXPECT_NE(nullptr, hDrive) << "the test drive is listed";
    tree().Expand(hDrive, TVE_EXPAND);
    return hDrive;
}

std::vector<std::string> ShellTreeFixture::ChildNames(HTREEITEM hParent) {
    std::vector<std::string> names;
    for (HTREEITEM h : Children(hParent)) {
        CString path = tree().GetItemPath(h);
        names.push_back(path.Mid(path.ReverseFind('\\') + 1).str());
    }
    return names;
}

HTREEITEM ShellTreeFixture::Child(HTREEITEM hParent, const std::string& name) {
    std::vector<HTREEITEM> items = Children(hParent);
    std::vector<std::string> names = ChildNames(hParent);
    for (size_t i = 0; i < items.size(); ++i) {
        if (names[i] == name)
            return items[i];
    }
    return nullptr;
}

int ShellTreeFixture::ChildrenFlag(HTREEITEM hItem) {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    tree().GetItem(&item);
    return item.cChildren;
}

void ShellTreeFixture::Hide(const std::string& relative) {
    SetFileAttributesA((dir / relative).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void ShellTreeFixture::ClickButton(HTREEITEM hItem) {
    Press(tree(), PointOn(tree(), hItem, ItemPart::Button), 0, 0);
    PumpMessages(0);
}
