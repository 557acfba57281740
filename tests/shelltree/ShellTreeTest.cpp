#include "ShellTreeFixture.h"

#include "shelltree/ItemIdList.h"
#include "UiPump.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

// Counts what the tree frees through the shell allocator it was given.
class MallocSpy : public IMalloc {
public:
    explicit MallocSpy(IMalloc* inner) : m_inner(inner) {}
    std::vector<void*> freed;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        *ppv = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T cb) override { return m_inner->Alloc(cb); }
    void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) override {
        return m_inner->Realloc(pv, cb);
    }
    void STDMETHODCALLTYPE Free(void* pv) override {
        freed.push_back(pv);
        m_inner->Free(pv);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void* pv) override { return m_inner->GetSize(pv); }
    int STDMETHODCALLTYPE DidAlloc(void* pv) override { return m_inner->DidAlloc(pv); }
    void STDMETHODCALLTYPE HeapMinimize() override { m_inner->HeapMinimize(); }

private:
    IMalloc* m_inner;
};

class ShellTreeTest : public ShellTreeFixture {
protected:
    void MakeWordFolder() {
        for (const char* f : {"Report.DOC", "form.dot", "old.do", "notes.txt", "README", "乗.xls"})
            dir.WriteFile(f);
        dir.MakeDir("子目录");
        dir.WriteFile("secret.doc");
        Hide("secret.doc");
    }
    void CollectItems(HTREEITEM hParent, std::vector<HTREEITEM>& out) {
        for (HTREEITEM h : Children(hParent)) {
            out.push_back(h);
            CollectItems(h, out);
        }
    }
};

std::set<std::string> AsSet(const std::vector<std::string>& v) {
    return {v.begin(), v.end()};
}

} // namespace

TEST_F(ShellTreeTest, RebuildOpensTheComputerFolderWithItsFixedDrives) {
    TempDir media("media");
    std::vector<std::unique_ptr<TestDrive>> excluded;
    for (UINT type : {DRIVE_CDROM, DRIVE_REMOVABLE, DRIVE_REMOTE}) {
        excluded.push_back(std::make_unique<TestDrive>(media.path(), type));
        ASSERT_TRUE(excluded.back()->ok()) << "no drive letter of type " << type;
    }
    tree().SetFilter(TRUE, kWordFilter);

    HTREEITEM hComputer = tree().GetSelectedItem();
    ASSERT_NE(nullptr, hComputer) << "the computer folder is the caret";
    EXPECT_EQ(nullptr, tree().GetParentItem(hComputer)) << "a desktop child";
    EXPECT_TRUE(tree().GetItemPath(hComputer).IsEmpty());
    EXPECT_TRUE(tree().GetItemState(hComputer, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree().GetItemState(hComputer, TVIS_SELECTED) & TVIS_SELECTED);
    EXPECT_EQ(tree().m_hWnd, GetFocus());
    EXPECT_GE(Children(nullptr).size(), 2u) << "the desktop's other children are listed";

    ASSERT_NE(nullptr, DriveItem());
    bool sawC = false;
    for (HTREEITEM h : Children(hComputer)) {
        CString path = tree().GetItemPath(h);
        if (path.GetLength() == 3) {
            EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA(path)) << Utf8(path.str());
            EXPECT_EQ(1, ChildrenFlag(h)) << "a drive root always has the button";
        }
        sawC |= path.CompareNoCase("C:\\") == 0;
        for (const auto& drive : excluded)
            EXPECT_NE(0, path.CompareNoCase(drive->root().c_str()))
                << "CD-ROM, removable and network drives are left out";
    }
    EXPECT_TRUE(sawC);
}

TEST_F(ShellTreeTest, TheWordFilterListsFoldersAndMatchingFilesInTheShellsOrder) {
    MakeWordFolder();
    HTREEITEM hDrive = ExpandedDrive();
    std::vector<std::string> names = ChildNames(hDrive);
    EXPECT_EQ((std::set<std::string>{"Report.DOC", "form.dot", "子目录"}), AsSet(names))
        << "old.do is no document: .do is only part of a pattern";

    // The order is the folder's own comparison of the items.
    IShellFolder* folder = nullptr;
    ASSERT_EQ(S_OK, tree().m_pDesktopFolder->BindToObject(
                        reinterpret_cast<LPCITEMIDLIST>(tree().GetItemData(hDrive)), nullptr,
                        IID_IShellFolder, reinterpret_cast<void**>(&folder)));
    std::vector<HTREEITEM> items = Children(hDrive);
    for (size_t i = 1; i < items.size(); ++i) {
        HRESULT hr = folder->CompareIDs(
            0,
            itemidlist::GetLastItem(
                reinterpret_cast<LPCITEMIDLIST>(tree().GetItemData(items[i - 1]))),
            itemidlist::GetLastItem(reinterpret_cast<LPCITEMIDLIST>(tree().GetItemData(items[i]))));
        EXPECT_LT(static_cast<short>(HRESULT_CODE(hr)), 0)
            << names[i - 1] << " before " << names[i];
    }
    folder->Release();
    EXPECT_EQ(0, ChildrenFlag(Child(hDrive, "Report.DOC")));
}

TEST_F(ShellTreeTest, EachSourceFilterListsItsOwnKinds) {
    for (const char* f :
         {"a.qor", "b.QOT", "c.lx", "d.lxt", "e.doc", "f.dot", "g.xls", "h.xlt", "i.txt"})
        dir.WriteFile(f);
    struct Case {
        const char* filter;
        std::set<std::string> listed;
    } cases[] = {
        {"Qor文件 (*.qor;*.qot)|*.qor;*.qot||", {"a.qor", "b.QOT"}},
        {"LX文件  (*.lx;*.lxt)|*.lx;*.lxt||", {"c.lx", "d.lxt"}},
        {kWordFilter, {"e.doc", "f.dot"}},
        {"Excel文件 (*.xls;*.xlt)|*.xls;*.xlt||", {"g.xls", "h.xlt"}},
        {"", {"a.qor", "b.QOT", "c.lx", "d.lxt", "e.doc", "f.dot", "g.xls", "h.xlt", "i.txt"}},
        {"All (*.*)|*.*||",
         {"a.qor", "b.QOT", "c.lx", "d.lxt", "e.doc", "f.dot", "g.xls", "h.xlt", "i.txt"}},
    };
    for (const Case& c : cases) {
        HTREEITEM hDrive = ExpandedDrive(c.filter);
        EXPECT_EQ(c.listed, AsSet(ChildNames(hDrive))) << Utf8(c.filter);
    }
}

TEST_F(ShellTreeTest, ExpandButtonsFollowWhatAFolderHolds) {
    TempDir emptyDir("empty");
    TestDrive emptyDrive(emptyDir.path(), DRIVE_FIXED);
    dir.MakeDir("onlyhidden\\h");
    Hide("onlyhidden\\h");
    for (const char* name : {"onlyreadme\\README", "onlytext\\notes.txt", "hasdoc\\x.DOC"})
        dir.WriteFile(name);
    dir.MakeDir("hassub\\乗");
    HTREEITEM hDrive = ExpandedDrive();

    EXPECT_EQ(1, ChildrenFlag(Child(hDrive, "onlyhidden"))) << "a hidden folder still counts";
    EXPECT_EQ(0, ChildrenFlag(Child(hDrive, "onlyreadme"))) << "no extension is no match";
    EXPECT_EQ(0, ChildrenFlag(Child(hDrive, "onlytext")));
    EXPECT_EQ(1, ChildrenFlag(Child(hDrive, "hasdoc")));
    EXPECT_EQ(1, ChildrenFlag(Child(hDrive, "hassub")));
    HTREEITEM hHidden = Child(hDrive, "onlyhidden");
    tree().Expand(hHidden, TVE_EXPAND);
    EXPECT_TRUE(Children(hHidden).empty()) << "onlyhidden expands to nothing";

    ASSERT_TRUE(emptyDrive.ok());
    bool found = false;
    for (HTREEITEM h : Children(tree().GetSelectedItem())) {
        if (tree().GetItemPath(h).CompareNoCase(emptyDrive.root().c_str()) == 0) {
            found = true;
            EXPECT_EQ(1, ChildrenFlag(h)) << "an empty drive still has the button";
        }
    }
    EXPECT_TRUE(found);

    hDrive = ExpandedDrive("");
    EXPECT_EQ(1, ChildrenFlag(Child(hDrive, "onlytext"))) << "every folder has it without a filter";
}

TEST_F(ShellTreeTest, CollapsingLeavesAPlaceholderAndExpandingReadsAgain) {
    dir.WriteFile("文件夹\\a.doc");
    HTREEITEM hDrive = ExpandedDrive();
    HTREEITEM hFolder = Child(hDrive, "文件夹");
    tree().Expand(hFolder, TVE_EXPAND);
    HTREEITEM hFile = Child(hFolder, "a.doc");
    ASSERT_NE(nullptr, hFile);
    tree().SetItemState(hFile, TVIS_SELECTED, TVIS_SELECTED);
    auto countSelected = [&] {
        int n = 0;
        for (HTREEITEM h = tree().GetFirstSelectedItem(); h; h = tree().GetNextSelectedItem(h))
            ++n;
        return n;
    };
    ASSERT_EQ(2, countSelected()) << "the computer folder and the file";

    ClickButton(hFolder);
    std::vector<HTREEITEM> kids = Children(hFolder);
    ASSERT_EQ(1u, kids.size());
    EXPECT_STREQ("", tree().GetItemText(kids[0]));
    EXPECT_EQ(0u, tree().GetItemData(kids[0]));
    EXPECT_EQ(1, countSelected()) << "the selection inside went with the items";

    dir.WriteFile("文件夹\\b.dot");
    ClickButton(hFolder);
    EXPECT_EQ((std::set<std::string>{"a.doc", "b.dot"}), AsSet(ChildNames(hFolder)));
}

TEST_F(ShellTreeTest, EverySetFilterRebuildsEvenWithTheSameFilter) {
    dir.MakeDir("folder");
    HTREEITEM hDrive = ExpandedDrive();
    HTREEITEM hFolder = Child(hDrive, "folder");
    tree().SelectItem(hFolder);
    ASSERT_EQ(hFolder, tree().GetSelectedItem());

    tree().SetFilter(TRUE, kWordFilter);
    HTREEITEM hComputer = tree().GetSelectedItem();
    EXPECT_TRUE(tree().GetItemPath(hComputer).IsEmpty())
        << "the computer folder is the caret again";
    EXPECT_TRUE(tree().GetItemState(hComputer, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(tree().GetItemState(DriveItem(), TVIS_EXPANDED) & TVIS_EXPANDED)
        << "other expansions are lost";
    EXPECT_EQ(hComputer, tree().GetFirstSelectedItem());
    EXPECT_EQ(nullptr, tree().GetNextSelectedItem(hComputer));
}

TEST_F(ShellTreeTest, DeletingTheTreeFreesOneListPerShellItem) {
    dir.WriteFile("a\\b\\c.doc");
    dir.WriteFile("d.doc");
    MallocSpy spy(tree().m_pMalloc.Get());
    struct Swap {
        CShellTree& t;
        CInterfacePtr<IMalloc> real;
        ~Swap() { t.m_pMalloc = real; }
    } swap{tree(), tree().m_pMalloc};
    tree().m_pMalloc = CInterfacePtr<IMalloc>(&spy);
    HTREEITEM hDrive = ExpandedDrive();
    HTREEITEM hA = Child(hDrive, "a");
    tree().Expand(hA, TVE_EXPAND);
    ClickButton(hA); // the collapse leaves a placeholder

    std::vector<HTREEITEM> all;
    CollectItems(TVI_ROOT, all);
    std::multiset<void*> owned;
    int placeholders = 0;
    for (HTREEITEM h : all) {
        if (void* data = reinterpret_cast<void*>(tree().GetItemData(h)))
            owned.insert(data);
        else
            ++placeholders;
    }
    ASSERT_EQ(1, placeholders);
    ASSERT_GT(owned.size(), 5u);

    spy.freed.clear();
    tree().DeleteAllItems();
    EXPECT_EQ(owned, std::multiset<void*>(spy.freed.begin(), spy.freed.end()));
}

TEST_F(ShellTreeTest, FilterTestsOnPaths) {
    dir.WriteFile("x.doc\\inner.txt");
    tree().m_strFilter = kWordFilter;
    tree().m_bShowFiles = TRUE;
    EXPECT_TRUE(tree().MatchesFilter("C:\\a\\Report.DOC"));
    EXPECT_FALSE(tree().MatchesFilter("C:\\a\\old.do"));
    EXPECT_FALSE(tree().MatchesFilter("C:\\a\\README"));
    EXPECT_FALSE(tree().MatchesFilter("C:\\乗\\notes.txt"));
    EXPECT_TRUE(tree().MatchesFilter((dir / "x.doc").c_str())) << "a folder named x.doc";
    EXPECT_TRUE(tree().HasMatchingContent("Q:\\")) << "a drive root is never searched";
    EXPECT_FALSE(tree().HasMatchingContent((dir / "x.doc").c_str()));
    EXPECT_FALSE(tree().HasMatchingContent("")) << "no path is not the current folder";
    EXPECT_FALSE(tree().MatchesFilter(""));
    EXPECT_STREQ(".doc", CShellTree::GetFileExt("C:\\a.b\\乗.doc"));
    EXPECT_STREQ("", CShellTree::GetFileExt("C:\\a.b\\嘰"));
}
