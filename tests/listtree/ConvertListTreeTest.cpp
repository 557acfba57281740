#include "listtree/CConvertListTree.h"

#include "TempDir.h"
#include "TreeHostDialog.h"
#include "UiPump.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>

namespace {

class ListTreeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG)); }

    std::vector<HTREEITEM> Entries() const {
        std::vector<HTREEITEM> items;
        for (HTREEITEM h = tree().GetRootItem(); h; h = tree().GetNextSiblingItem(h))
            items.push_back(h);
        return items;
    }
    CConvertListTree& tree() const { return const_cast<CConvertListTree&>(dlg.m_tree); }

    TreeHostDialog<CConvertListTree> dlg{IDC_LIST_TREE};
    TempDir dir;
};

HIMAGELIST SystemSmallIcons() {
    SHFILEINFOA sfi = {};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// The icon and open icon the shell gives one path asked on its own, icon handles and all, in
// the form every entry was once looked up in (a backslash appended).
std::pair<int, int> ShellIconsOf(std::string path) {
    if (path.back() != '\\')
        path += '\\';
    std::pair<int, int> icons(-1, -1);
    SHFILEINFOA sfi = {};
    if (SHGetFileInfoA(path.c_str(), 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_SMALLICON)) {
        DestroyIcon(sfi.hIcon);
        icons.first = sfi.iIcon;
    }
    if (SHGetFileInfoA(path.c_str(), 0, &sfi, sizeof(sfi),
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON)) {
        DestroyIcon(sfi.hIcon);
        icons.second = sfi.iIcon;
    }
    return icons;
}

std::string SystemProgram(const char* name) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

} // namespace

TEST_F(ListTreeTest, EntriesAppendInOrderShowingTheirPaths) {
    std::string file = dir.WriteFile("乗\\报告.doc");
    std::string folder = dir / "乗";
    HTREEITEM hFile = tree().AddEntry(file.c_str(), 3, 1);
    HTREEITEM hRoot = tree().AddEntry("C:\\", 1, 40);
    HTREEITEM hFolder = tree().AddEntry(folder.c_str(), 4, 7);
    ASSERT_TRUE(hFile && hRoot && hFolder) << tree().m_strLastError.str();

    EXPECT_EQ((std::vector<HTREEITEM>{hFile, hRoot, hFolder}), Entries()) << "appended, not sorted";
    EXPECT_STREQ(file.c_str(), tree().GetItemText(hFile));
    EXPECT_STREQ("C:", tree().GetItemText(hRoot)) << "the root's backslash is not shown";
    EXPECT_STREQ(folder.c_str(), tree().GetItemText(hFolder));

    ASSERT_EQ(3u, tree().m_items.size());
    EXPECT_EQ(hRoot, tree().m_items[1].hItem);
    EXPECT_STREQ("C:\\", tree().m_items[1].strPath) << "the record keeps the path as given";
    EXPECT_EQ(40, tree().m_items[1].nFileCount);
    EXPECT_EQ(1, tree().m_items[1].nType);
    EXPECT_EQ(4, tree().m_items[2].nType);
    EXPECT_EQ(0u, tree().GetItemData(hFile)) << "records are never reached through the item";
    EXPECT_EQ(0u, tree().GetItemState(hFile, TVIS_SELECTED));
}

TEST_F(ListTreeTest, DuplicatePathsAreTwoEntriesWithTwoRecords) {
    std::string file = dir.WriteFile("a.doc");
    HTREEITEM h1 = tree().AddEntry(file.c_str(), 3, 1);
    HTREEITEM h2 = tree().AddEntry(file.c_str(), 3, 1);
    ASSERT_TRUE(h1 && h2);
    EXPECT_NE(h1, h2);
    EXPECT_EQ(2u, tree().GetCount());
    std::vector<ConvertItem> copy;
    tree().CopyEntries(copy);
    ASSERT_EQ(2u, copy.size());
    EXPECT_STREQ(copy[0].strPath, copy[1].strPath);
}

// Entries ask the shell once per kind of document; what they show must not change by that.
TEST_F(ListTreeTest, EveryEntryShowsTheIconsTheShellGivesItsPath) {
    std::vector<std::string> paths;
    for (const char* name : {"a.doc", "sub\\b.DOC", "c.xls", "d.qor", "乗.lx", "README", "e.dot"})
        paths.push_back(dir.WriteFile(name));
    paths.push_back(dir.WriteFile("sub\\f.doc")); // a second document of a kind already seen
    for (const char* name : {"sub", "乗", "x.doc"})
        paths.push_back(dir.MakeDir(name));
    paths.push_back(dir / "sub\\"); // a folder given with its backslash
    paths.push_back("C:\\");
    paths.push_back("Z:\\");
    // Programs draw their own icons; a kind of our own stands for them, so that the prefix's
    // missing program association does not matter.
    HKEY hKind = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, ".tandrelexe", &hKind));
    RegSetValueExA(hKind, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("exefile"), 8);
    RegCloseKey(hKind);
    for (const char* name : {"notepad.exe", "winemine.exe"}) {
        std::string copy = dir / (std::string(name) + ".tandrelexe");
        ASSERT_TRUE(CopyFileA(SystemProgram(name).c_str(), copy.c_str(), FALSE)) << name;
        paths.push_back(copy);
    }
    for (int round = 0; round < 2; ++round) {
        for (const std::string& path : paths) {
            HTREEITEM h = tree().AddEntry(path.c_str(), 3, 1);
            ASSERT_NE(nullptr, h) << Utf8(path) << ": " << tree().m_strLastError.str();
            TVITEMA item = {};
            item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            item.hItem = h;
            ASSERT_TRUE(tree().GetItem(&item));
            std::pair<int, int> want = ShellIconsOf(path);
            EXPECT_EQ(want.first, item.iImage) << Utf8(path) << " in round " << round;
            EXPECT_EQ(want.second, item.iSelectedImage) << Utf8(path) << " in round " << round;
        }
    }
    EXPECT_NE(ShellIconsOf(paths[paths.size() - 2]), ShellIconsOf(paths.back()))
        << "the two programs have icons of their own";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".tandrelexe");
}

// Also once the icons of .doc are known: the path itself must still exist.
TEST_F(ListTreeTest, PathsWithoutShellInformationAddNothing) {
    std::string file = dir.WriteFile("a.doc");
    ASSERT_TRUE(tree().AddEntry(file.c_str(), 3, 1));
    std::string missing = dir / "不存在\\乗.doc";
    EXPECT_EQ(nullptr, tree().AddEntry(missing.c_str(), 3, 5));
    EXPECT_STREQ("Error Gettting SystemFileInfo!", tree().m_strLastError);
    EXPECT_EQ(1u, tree().GetCount());
    EXPECT_EQ(1u, tree().m_items.size());

    // An empty path would otherwise be looked up (and converted) as the current drive.
    tree().m_strLastError.Empty();
    EXPECT_EQ(nullptr, tree().AddEntry("", 3, 5));
    EXPECT_FALSE(tree().m_strLastError.IsEmpty());
    EXPECT_EQ(1u, tree().GetCount());
    EXPECT_EQ(1u, tree().m_items.size());
}

TEST_F(ListTreeTest, RemovingTheMiddleEntryKeepsTheOthersInOrder) {
    std::vector<HTREEITEM> added;
    for (const char* name : {"1.doc", "2.doc", "3.doc"})
        added.push_back(tree().AddEntry(dir.WriteFile(name).c_str(), 3, 1));
    ConvertItem middle = tree().FindEntry(added[1]);
    EXPECT_EQ(added[1], middle.hItem);
    EXPECT_STREQ((dir / "2.doc").c_str(), middle.strPath);

    tree().RemoveEntry(added[1]);
    tree().DeleteItem(added[1]);
    tree().RemoveEntry(added[1]); // no record any more: nothing happens

    std::vector<ConvertItem> copy(5);
    tree().CopyEntries(copy);
    ASSERT_EQ(2u, copy.size()) << "the copy replaces what the array held";
    EXPECT_EQ(added[0], copy[0].hItem);
    EXPECT_STREQ((dir / "1.doc").c_str(), copy[0].strPath);
    EXPECT_EQ(added[2], copy[1].hItem);
    EXPECT_STREQ((dir / "3.doc").c_str(), copy[1].strPath);
    EXPECT_EQ((std::vector<HTREEITEM>{added[0], added[2]}), Entries());
}

TEST_F(ListTreeTest, TheSharedSystemImageListIsLentNeverOwned) {
    HIMAGELIST hSystem = SystemSmallIcons();
    ASSERT_NE(nullptr, hSystem);
    int nImages = ImageList_GetImageCount(hSystem);
    {
        TreeHostDialog<CConvertListTree> other{IDC_LIST_TREE};
        ASSERT_TRUE(other.Create(IDD_CONVERT_DIALOG));
        ASSERT_TRUE(other.m_tree.AddEntry("C:\\", 1, 0));
        ASSERT_TRUE(other.m_tree.AddEntry(dir.WriteFile("a.doc").c_str(), 1, 0));
        EXPECT_EQ(hSystem, other.m_tree.GetImageList(TVSIL_NORMAL));
    }
    EXPECT_GE(ImageList_GetImageCount(hSystem), nImages) << "the system list survives the tree";
}

// A list whose window's thread, having answered another thread's first insertion of an entry,
// goes on reading the records a while, as "<<" or Start would read them.
class ReadingListTree : public CConvertListTree {
public:
    int m_nChangedWhileRead = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = CConvertListTree::WindowProc(msg, wParam, lParam);
        if (msg == TVM_INSERTITEMA && InSendMessage() && !m_bRead) {
            m_bRead = true;
            const size_t records = m_items.size();
            ReplyMessage(result);
            for (DWORD start = GetTickCount(); GetTickCount() - start < 200;) {
                if (m_items.size() != records) {
                    ++m_nChangedWhileRead;
                    break;
                }
            }
        }
        return result;
    }

private:
    bool m_bRead = false;
};

// An add run's entries, added from its own thread, change the records only on the window's
// thread: never while that thread reads them.
TEST_F(ListTreeTest, EntriesAddedFromAnotherThreadChangeTheRecordsOnTheWindowsThreadOnly) {
    TreeHostDialog<ReadingListTree> host{IDC_LIST_TREE};
    ASSERT_TRUE(host.Create(IDD_CONVERT_DIALOG));
    std::vector<std::string> files;
    for (int i = 0; i < 20; ++i)
        files.push_back(dir.WriteFile("f" + std::to_string(i) + ".doc"));
    std::atomic<bool> done{false};
    std::vector<HTREEITEM> added;
    std::thread adder([&] {
        for (const std::string& f : files)
            added.push_back(host.m_tree.AddEntry(f.c_str(), 2, 1));
        done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    adder.join();
    EXPECT_EQ(0, host.m_tree.m_nChangedWhileRead) << "records changed beneath the window's thread";
    ASSERT_EQ(files.size(), host.m_tree.m_items.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_STREQ(files[i].c_str(), host.m_tree.GetItemText(added[i]));
        EXPECT_EQ(added[i], host.m_tree.m_items[i].hItem);
    }
}

TEST_F(ListTreeTest, CheckMarksAreTheStateImageOfTheEntry) {
    HTREEITEM h1 = tree().AddEntry(dir.WriteFile("1.doc").c_str(), 3, 1);
    HTREEITEM h2 = tree().AddEntry(dir.WriteFile("2.doc").c_str(), 3, 1);
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(1), tree().GetItemState(h1, TVIS_STATEIMAGEMASK));
    EXPECT_FALSE(tree().GetCheck(h1)) << "new entries start unchecked";
    // What the main window does on UWM_ITEM_CONVERTED, then asks on UWM_IS_ITEM_CHECKED.
    tree().SetCheck(h2, TRUE);
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), tree().GetItemState(h2, TVIS_STATEIMAGEMASK));
    EXPECT_TRUE(tree().GetCheck(h2));
    EXPECT_FALSE(tree().GetCheck(h1));
}

TEST_F(ListTreeTest, CheckedBoxesAreDrawnChecked) {
    std::vector<HTREEITEM> items;
    for (const char* name : {"已转换.doc", "未转换.doc", "also.doc"})
        items.push_back(tree().AddEntry(dir.WriteFile(name).c_str(), 3, 1));
    tree().SetCheck(items[0], TRUE);
    tree().SetCheck(items[2], TRUE);
    dlg.ShowWindow(SW_SHOW);
    UpdateWindow(dlg);
    PumpMessages(200);
    ASSERT_TRUE(CaptureWindow(dlg, "listtree_checkboxes.bmp"));

    // The box of a checked entry looks different from an unchecked one and like another checked.
    auto boxPixels = [&](HTREEITEM h) {
        RECT rc = {};
        tree().GetItemRect(h, &rc, TRUE);
        std::vector<COLORREF> pixels;
        HDC dc = GetDC(tree());
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left - 32; x < rc.left - 16; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(tree(), dc);
        return pixels;
    };
    EXPECT_NE(boxPixels(items[0]), boxPixels(items[1]));
    EXPECT_EQ(boxPixels(items[0]), boxPixels(items[2]));
}
