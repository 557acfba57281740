#include "ShellTreeFixture.h"

#include "shared/UserMessages.h"
#include "UiPump.h"

#include <functional>

namespace {

struct Icons {
    int normal;
    int selected;
    bool operator==(const Icons& o) const { return normal == o.normal && selected == o.selected; }
};

// The shell's own answer for a path or (with SHGFI_PIDL) an item-ID list: the small icon, and
// the open one as the selected icon of a folder.
Icons ShellIcons(const char* pszPathOrPidl, UINT uExtra, bool bFolder) {
    const UINT uFlags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | uExtra;
    SHFILEINFOA sfi = {};
    SHGetFileInfoA(pszPathOrPidl, 0, &sfi, sizeof(sfi), uFlags);
    Icons icons = {sfi.iIcon, sfi.iIcon};
    if (bFolder && SHGetFileInfoA(pszPathOrPidl, 0, &sfi, sizeof(sfi), uFlags | SHGFI_OPENICON))
        icons.selected = sfi.iIcon;
    return icons;
}

// The same for an item of the tree, from its own list and attributes.
Icons ShellIcons(LPCITEMIDLIST pidl) {
    const char* pszPidl = reinterpret_cast<const char*>(pidl);
    SHFILEINFOA sfi = {};
    SHGetFileInfoA(pszPidl, 0, &sfi, sizeof(sfi), SHGFI_PIDL | SHGFI_ATTRIBUTES);
    UINT uLink = (sfi.dwAttributes & SFGAO_LINK) ? SHGFI_LINKOVERLAY : 0;
    return ShellIcons(pszPidl, SHGFI_PIDL | uLink, (sfi.dwAttributes & SFGAO_FOLDER) != 0);
}

class ShellIconsTest : public ShellTreeFixture {
protected:
    Icons ItemIcons(HTREEITEM hItem) {
        TVITEMA item = {};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = hItem;
        tree().GetItem(&item);
        return {item.iImage, item.iSelectedImage};
    }
    void ForEachItem(HTREEITEM hParent, const std::function<void(HTREEITEM)>& visit) {
        for (HTREEITEM h : Children(hParent)) {
            visit(h);
            ForEachItem(h, visit);
        }
    }
    // Every shell item (placeholders have no list) shows what the shell gives for it.
    void ExpectEveryItemsOwnIcons() {
        ForEachItem(TVI_ROOT, [&](HTREEITEM h) {
            auto pidl = reinterpret_cast<LPCITEMIDLIST>(tree().GetItemData(h));
            if (pidl != nullptr) {
                EXPECT_TRUE(ShellIcons(pidl) == ItemIcons(h)) << Utf8(tree().GetItemText(h).str());
            }
        });
    }
    void WaitForIcons() {
        ASSERT_TRUE(PumpUntil([&] { return tree().GetPendingIconCount() == 0; }));
    }
    // Handles the thread's other messages (the lookups start when it is idle) until answers are
    // on their way to the tree, without letting them in.
    void WaitForAnswersPosted() {
        MSG msg;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
            if (PeekMessageA(&msg, tree().m_hWnd, UWM_SHELL_ICONS, UWM_SHELL_ICONS, PM_NOREMOVE))
                return;
            while (PeekMessageA(&msg, nullptr, 0, UWM_SHELL_ICONS - 1, PM_REMOVE))
                DispatchMessageA(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
        FAIL() << "no answers posted";
    }
};

} // namespace

TEST_F(ShellIconsTest, ArrivedIconsAreTheShellsOwn) {
    dir.WriteFile("Report.doc");
    dir.MakeDir("子目录");
    HTREEITEM hDrive = ExpandedDrive();
    ASSERT_GT(tree().GetPendingIconCount(), 0) << "the fill did not wait for the icons";
    RECT before = {}, after = {};
    tree().GetItemRect(Child(hDrive, "Report.doc"), &before, TRUE);
    WaitForIcons();
    tree().GetItemRect(Child(hDrive, "Report.doc"), &after, TRUE);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the label moved when the icons came";

    struct Case {
        HTREEITEM hItem;
        std::string path;
        bool folder;
    } cases[] = {
        {Child(hDrive, "Report.doc"), dir / "Report.doc", false},
        {Child(hDrive, "子目录"), dir / "子目录", true},
        {hDrive, drive->root(), true},
    };
    for (const Case& c : cases) {
        ASSERT_NE(nullptr, c.hItem) << Utf8(c.path);
        EXPECT_TRUE(ShellIcons(c.path.c_str(), 0, c.folder) == ItemIcons(c.hItem)) << Utf8(c.path);
    }
    SHFILEINFOA sfi = {};
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &sfi, sizeof(sfi),
                                                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
              tree().GetImageList(TVSIL_NORMAL))
        << "the system small-icon list";
    ExpectEveryItemsOwnIcons();
}

TEST_F(ShellIconsTest, RebuildsWithAnswersOnTheirWayPutNoIconOnAWrongItem) {
    dir.WriteFile("a.doc");
    dir.WriteFile("b.xls");
    dir.MakeDir("folder");
    const char* filters[] = {kWordFilter, "Excel文件 (*.xls;*.xlt)|*.xls;*.xlt||", ""};
    for (const char* filter : filters) {
        ExpandedDrive(filter);
        // The next rebuild deletes these items and reuses their handles while answers for
        // them wait in the tree's queue.
        WaitForAnswersPosted();
        ASSERT_GT(tree().GetPendingIconCount(), 0);
    }
    WaitForIcons();
    ExpectEveryItemsOwnIcons();
}

TEST_F(ShellIconsTest, DestroyingTheTreeWithIconsPendingEndsCleanly) {
    dir.WriteFile("a.doc");
    ExpandedDrive();
    WaitForAnswersPosted();
    ExpandedDrive(); // lookups for the running thread, and answers not yet taken
    ASSERT_GT(tree().GetPendingIconCount(), 0);
    dlg.DestroyWindow();
    EXPECT_EQ(0, tree().GetPendingIconCount());
    PumpMessages(0);

    // The same tree, in a new window, starts its icon thread again.
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
    HTREEITEM hDrive = ExpandedDrive();
    WaitForIcons();
    EXPECT_TRUE(ShellIcons(drive->root().c_str(), 0, true) == ItemIcons(hDrive));
}
