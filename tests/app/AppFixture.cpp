#include "AppFixture.h"

#include "ShellItems.h"
#include "UiPump.h"
#include "res/resource.h"
#include "shared/ConvertType.h"
#include "shared/UserMessages.h"

LRESULT TestConvertDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND box = msg == UWM_LIST_COUNT ? FindWindowA(nullptr, "添加文件") : nullptr;
    if (box != nullptr)
        m_strBoxPathAtCount = CWnd(box).GetDlgItemText(IDC_SCAN_PATH).str();
    LRESULT result = CConvertDlg::WindowProc(msg, wParam, lParam);
    if (msg == UWM_LIST_COUNT && afterListCount) {
        std::function<void()> hook = std::move(afterListCount);
        afterListCount = nullptr;
        hook();
    }
    return result;
}

void AppFixture::SetUp() {
    drive = std::make_unique<TestDrive>(src.path(), DRIVE_FIXED);
    ASSERT_TRUE(drive->ok()) << "no drive letter from the mount manager";
    boxes = std::make_unique<MessageBoxRecorder>();
    ASSERT_TRUE(dlg.Create(IDD_CONVERT_DIALOG));
    PumpMessages(20);
}

void AppFixture::TearDown() {
    PumpUntil([&] { return !dlg.IsWorkerRunning(); });
    dlg.DestroyWindow();
    boxes.reset();
    drive.reset();
}

HTREEITEM AppFixture::SourceItem(const std::string& relative) {
    return ShellItemOf(dlg.m_shellTree, drive->root(), relative);
}

void AppFixture::SelectSources(const std::vector<HTREEITEM>& items) {
    dlg.m_shellTree.ClearSelection();
    for (HTREEITEM item : items)
        dlg.m_shellTree.SetItemState(item, TVIS_SELECTED, TVIS_SELECTED);
}

void AppFixture::AddSelected() {
    Press(IDC_ADD);
    EXPECT_TRUE(PumpUntil([&] {
        return dlg.IsWindowEnabled() && FindWindowA(nullptr, "添加文件") == nullptr;
    })) << "the add run ends";
}

HTREEITEM AppFixture::AddEntry(const std::string& path, int nType, int nCount) {
    HTREEITEM item = dlg.m_listTree.AddEntry(path.c_str(), nType, nCount);
    dlg.SendMessage(UWM_LIST_COUNT, 0, nCount);
    return item;
}

void AppFixture::Press(int id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)));
}

bool AppFixture::StartAndWait() {
    Press(IDC_START);
    return PumpUntil([&] { return !dlg.IsWorkerRunning() && !dlg.m_bJobStarting; }, 30000);
}

bool AppFixture::Enabled(int id) const {
    return IsWindowEnabled(dlg.GetDlgItem(id)) != FALSE;
}

std::vector<HTREEITEM> AppFixture::ListItems() const {
    std::vector<HTREEITEM> items;
    for (HTREEITEM h = dlg.m_listTree.GetRootItem(); h; h = dlg.m_listTree.GetNextSiblingItem(h))
        items.push_back(h);
    return items;
}

std::string AppFixture::StatusText() const {
    return dlg.GetDlgItemText(IDC_FILE_COUNT).str();
}
