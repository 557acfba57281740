#include "TandrelApp.h"

#include "UiPump.h"
#include "UserInput.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char kMainCaption[] = "批量转换工具";
constexpr char kDialogClass[] = "#32770";
constexpr char kAddFilesCaption[] = "添加文件";
constexpr DWORD kStepMs = 15000;
// How often a gesture is made again when Wine lets go of its Ctrl or Shift.
constexpr int kGestureTurns = 5;

template <class Done> bool WaitFor(Done done, DWORD limitMs = kStepMs) {
    for (DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start > limitMs)
            return done();
        Sleep(5);
    }
    return true;
}

std::string WindowText(HWND hWnd) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, 5000, &copied))
        return std::string();
    return text;
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> Children(HWND hParent) {
    std::vector<HWND> children;
    EnumChildWindows(hParent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> all, own;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND hWnd : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        if (pid == processId && IsWindowVisible(hWnd))
            own.push_back(hWnd);
    }
    return own;
}

bool IsToolTip(HWND hWnd) {
    char name[64] = {};
    return hWnd != nullptr && GetClassNameA(hWnd, name, sizeof(name)) &&
           lstrcmpA(name, TOOLTIPS_CLASSA) == 0;
}

POINT Centre(const RECT& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

} // namespace

TandrelApp::~TandrelApp() {
    if (m_process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

std::string TandrelApp::ProgramPath(const std::string& relativeToThisProgram) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self, mbcs::ReverseFindChar(self, '\\'));
    char full[MAX_PATH] = {};
    GetFullPathNameA(mbcs::JoinPath(folder, relativeToThisProgram).c_str(), MAX_PATH, full,
                     nullptr);
    return full;
}

bool TandrelApp::Running() const {
    return m_process.hProcess != nullptr &&
           WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool TandrelApp::Fail(const std::string& what) {
    m_error = what;
    return false;
}

bool TandrelApp::Start(const std::string& exePath) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &m_process))
        return Fail("cannot start " + exePath);
    if (!WaitFor([this] {
            for (HWND hWnd : TopLevelWindows(m_process.dwProcessId))
                if (WindowText(hWnd) == kMainCaption)
                    m_hWnd = hWnd;
            return m_hWnd != nullptr;
        }))
        return Fail("the main window did not appear");
    m_sourceTree.reset(new RemoteTree(m_process.hProcess, Control(IDC_SHELL_TREE)));
    m_listTree.reset(new RemoteTree(m_process.hProcess, Control(IDC_LIST_TREE)));
    return WaitForComputerFolder();
}

// The source tree opens the computer folder whenever it is built.
bool TandrelApp::WaitForComputerFolder() {
    if (!WaitFor([this] {
            std::vector<HTREEITEM> items = m_sourceTree->DisplayOrder();
            return std::any_of(items.begin(), items.end(),
                               [this](HTREEITEM item) { return m_sourceTree->Expanded(item); });
        }))
        return Fail("the source tree did not open the computer folder");
    return true;
}

std::string TandrelApp::Text(int id) const {
    return WindowText(Control(id));
}

int TandrelApp::ProgressPos() const {
    return static_cast<int>(SendMessageA(Control(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

int TandrelApp::ProgressMax() const {
    return static_cast<int>(SendMessageA(Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0));
}

bool TandrelApp::ShowItem(RemoteTree& tree, HTREEITEM hItem, RECT* pLabel) {
    for (int turn = 0; turn < 50; ++turn) {
        RECT label, client = tree.ClientRect();
        if (!tree.LabelRect(hItem, &label))
            return Fail("the item \"" + Utf8(tree.Text(hItem)) + "\" is not shown");
        if (label.top >= client.top && label.bottom <= client.bottom) {
            label.right = std::min(label.right, client.right);
            *pLabel = label;
            return true;
        }
        UserInput::Wheel(Centre(client), label.top < client.top ? 1 : -1);
        // The label is read by message, which the tree may answer before it handles the wheel:
        // read again only once the wheel has moved it, or a stale place gets the click.
        const LONG before = label.top;
        WaitFor([&] { return tree.LabelRect(hItem, &label) && label.top != before; }, 1000);
    }
    return Fail("the item \"" + Utf8(tree.Text(hItem)) + "\" cannot be scrolled into view");
}

bool TandrelApp::ClickButton(HTREEITEM hItem) {
    RemoteTree& tree = SourceTree();
    RECT label;
    if (!ShowItem(tree, hItem, &label))
        return false;
    // The expand button sits left of the icon; find it as the control does.
    POINT button = {label.left, Centre(label).y};
    while (button.x > label.left - 80 && !(tree.HitTest(button) & TVHT_ONITEMBUTTON))
        --button.x;
    if (!(tree.HitTest(button) & TVHT_ONITEMBUTTON))
        return Fail("\"" + Utf8(tree.Text(hItem)) + "\" has no expand button");
    // The tree's tool tip, raised by the last click, may lie over the button.
    return ClickAt(tree.hwnd(), button, 0, "the expand button of " + Utf8(tree.Text(hItem)));
}

bool TandrelApp::Expand(HTREEITEM hItem) {
    RemoteTree& tree = SourceTree();
    if (!ClickButton(hItem))
        return false;
    if (!WaitFor([&] { return tree.Expanded(hItem) && tree.FirstChild(hItem) != nullptr; }))
        return Fail("\"" + Utf8(tree.Text(hItem)) + "\" did not open");
    return true;
}

bool TandrelApp::Collapse(HTREEITEM hItem) {
    RemoteTree& tree = SourceTree();
    if (!ClickButton(hItem))
        return false;
    if (!WaitFor([&] { return !tree.Expanded(hItem); }))
        return Fail("\"" + Utf8(tree.Text(hItem)) + "\" did not close");
    return true;
}

bool TandrelApp::Select(RemoteTree& tree, HTREEITEM hItem, UINT keys) {
    const std::vector<HTREEITEM> before = tree.SelectedItems();
    for (int turn = 1;; ++turn) {
        RECT label;
        bool held = true;
        if (!ShowItem(tree, hItem, &label) ||
            !ClickAt(tree.hwnd(), Centre(label), keys, "the item " + Utf8(tree.Text(hItem)), &held))
            return false;
        if (held || !SelectionLost(tree, hItem, before))
            break;
        // Wine let go of the key (see UserInput::Click): the program saw a plain click, as it
        // should. The gesture starts again from the selection it started from.
        if (turn == kGestureTurns)
            return Fail("Wine let go of Ctrl or Shift at every click on \"" +
                        Utf8(tree.Text(hItem)) + "\"");
        if (!Reselect(tree, before))
            return false;
    }
    // A plain click leaves the item the only one selected: waiting for that, not merely for the
    // item to be selected, also waits for a click on an item that was selected already.
    auto done = [&] {
        if (!tree.Selected(hItem))
            return false;
        if (keys & (MK_CONTROL | MK_SHIFT))
            return true;
        std::vector<HTREEITEM> shown = tree.DisplayOrder();
        return std::none_of(shown.begin(), shown.end(), [&](HTREEITEM other) {
            return other != hItem && tree.Selected(other);
        });
    };
    if (!WaitFor(done))
        return Fail("\"" + Utf8(tree.Text(hItem)) + "\" did not become selected");
    return true;
}

// Once the click is handled (its item selected), whether an item selected before it has lost
// its selection, as a plain click does.
bool TandrelApp::SelectionLost(RemoteTree& tree, HTREEITEM hItem,
                               const std::vector<HTREEITEM>& before) {
    if (!WaitFor([&] { return tree.Selected(hItem); }))
        return false;
    return std::any_of(before.begin(), before.end(),
                       [&](HTREEITEM item) { return !tree.Selected(item); });
}

// A click on the first, Ctrl-clicks on the others.
bool TandrelApp::Reselect(RemoteTree& tree, const std::vector<HTREEITEM>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        if (!Select(tree, items[i], i == 0 ? 0 : MK_CONTROL))
            return false;
    return true;
}

bool TandrelApp::ClickControl(int id) {
    HWND control = Control(id);
    RECT rc;
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control) ||
        !GetWindowRect(control, &rc))
        return Fail("control " + std::to_string(id) + " cannot be clicked");
    return ClickWhenReachable(control, "control " + std::to_string(id));
}

// As a person does: the pointer goes to the middle of the window and clicks there.
bool TandrelApp::ClickWhenReachable(HWND target, const std::string& what) {
    RECT rc;
    if (!GetWindowRect(target, &rc))
        return Fail(what + " has gone");
    return ClickAt(target, Centre(rc), 0, what);
}

// The click waits until the window is what lies under the pointer (a box may still be moving into
// place). A tool tip that the pointer raised may lie over it: like a person, the driver moves the
// pointer away until the tip has gone, and comes back to click.
bool TandrelApp::ClickAt(HWND target, POINT pt, UINT keys, const std::string& what,
                         bool* pKeysHeld) {
    if (!UserInput::MoveTo(pt))
        return Fail("the pointer did not reach " + what);
    HWND under = nullptr;
    auto reachable = [&] { return (under = WindowFromPoint(pt)) == target; };
    if (!WaitFor(reachable, 1000) && IsToolTip(under)) {
        UserInput::MoveTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
        WaitFor([&] { return !IsToolTip(WindowFromPoint(pt)); }, 8000);
        if (!UserInput::MoveTo(pt))
            return Fail("the pointer did not reach " + what);
    }
    if (!WaitFor(reachable, 5000)) {
        char name[64] = {};
        GetClassNameA(under, name, sizeof(name));
        return Fail(what + " is covered by a window of class " + name + " saying \"" +
                    Utf8(WindowText(under)) + "\"");
    }
    return UserInput::Click(pt, keys, pKeysHeld) || Fail("the click on " + what + " failed");
}

bool TandrelApp::AddSelected(int nEntries) {
    if (!ClickControl(IDC_ADD))
        return false;
    if (!WaitFor([&] {
            return ListTree().Count() == nEntries && IsWindowEnabled(m_hWnd) &&
                   FindOwnWindow(kDialogClass, std::string()) == nullptr;
        }))
        return Fail("the list did not reach " + std::to_string(nEntries) + " entries (it has " +
                    std::to_string(ListTree().Count()) + ")");
    return true;
}

bool TandrelApp::RemoveAll() {
    RemoteTree& list = ListTree();
    // An add run still changes the list until it enables the window again.
    if (!WaitFor([&] { return IsWindowEnabled(m_hWnd) != FALSE; }))
        return Fail("the window stays disabled, as by an add run that does not end");
    std::vector<HTREEITEM> entries = list.DisplayOrder();
    if (entries.empty())
        return true;
    if (!Select(list, entries.front()) || !Select(list, entries.back(), MK_SHIFT))
        return false;
    HTREEITEM unselected = nullptr;
    if (!WaitFor([&] {
            entries = list.DisplayOrder();
            auto it = std::find_if(entries.begin(), entries.end(),
                                   [&](HTREEITEM entry) { return !list.Selected(entry); });
            unselected = it == entries.end() ? nullptr : *it;
            return unselected == nullptr;
        }))
        return Fail("the Shift-click left \"" + Utf8(list.Text(unselected)) + "\" unselected");
    if (!ClickControl(IDC_REMOVE))
        return false;
    if (!WaitFor([&] { return list.Count() == 0 && Text(IDC_FILE_COUNT) == "转换文件数: 0"; }))
        return Fail("\"<<\" left " + std::to_string(list.Count()) + " entries, the count reads \"" +
                    Utf8(Text(IDC_FILE_COUNT)) + "\"");
    return true;
}

bool TandrelApp::ChooseKind(bool sheet) {
    const int radio = sheet ? IDC_RADIO_EXCEL : IDC_RADIO_WORD;
    if (SendMessageA(Control(radio), BM_GETCHECK, 0, 0) == BST_CHECKED)
        return true;
    if (!ClickControl(radio))
        return false;
    if (!WaitFor([&] { return SendMessageA(Control(radio), BM_GETCHECK, 0, 0) == BST_CHECKED; }))
        return Fail("the kind did not change");
    // The click's handler rebuilds the tree; an answered message means it has returned.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result))
        return Fail("the window does not answer after the kind changed");
    return WaitForComputerFolder();
}

bool TandrelApp::TypeOutputFolder(const std::string& folder) {
    if (!ClickControl(IDC_OUTPUT_DIR))
        return false;
    // Shift+End selects the old text, which the typing replaces; without Shift it would stay.
    for (int turn = 1;; ++turn) {
        UserInput::Key(VK_HOME);
        if (UserInput::Key(VK_END, true))
            break;
        if (turn == kGestureTurns)
            return Fail("Wine let go of Shift at every Shift+End in the output folder");
    }
    UserInput::Type(folder);
    if (!WaitFor([&] { return Text(IDC_OUTPUT_DIR) == folder; }))
        return Fail("the output folder reads \"" + Utf8(Text(IDC_OUTPUT_DIR)) + "\"");
    m_outputFolder = folder;
    return true;
}

std::string TandrelApp::LogPath() const {
    return mbcs::JoinPath(m_outputFolder, "qorconvert.log");
}

bool TandrelApp::PressStart() {
    DeleteFileA(LogPath().c_str());
    return ClickControl(IDC_START);
}

HWND TandrelApp::FindOwnWindow(const char* className, const std::string& childText) const {
    for (HWND hWnd : TopLevelWindows(m_process.dwProcessId)) {
        char name[64] = {};
        GetClassNameA(hWnd, name, sizeof(name));
        if (hWnd == m_hWnd || lstrcmpA(name, className) != 0)
            continue;
        std::vector<HWND> children = Children(hWnd);
        if (childText.empty() || std::any_of(children.begin(), children.end(), [&](HWND child) {
                return WindowText(child) == childText;
            }))
            return hWnd;
    }
    return nullptr;
}

int TandrelApp::OtherDialogs() const {
    int n = 0;
    for (HWND hWnd : TopLevelWindows(m_process.dwProcessId)) {
        char name[64] = {};
        GetClassNameA(hWnd, name, sizeof(name));
        n += hWnd != m_hWnd && lstrcmpA(name, kDialogClass) == 0;
    }
    return n;
}

HWND TandrelApp::AddFilesBox() const {
    for (HWND hWnd : TopLevelWindows(m_process.dwProcessId))
        if (hWnd != m_hWnd && WindowText(hWnd) == kAddFilesCaption)
            return hWnd;
    return nullptr;
}

bool TandrelApp::AnswerMessageBox(const std::string& text, int buttonId) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindOwnWindow(kDialogClass, text)) != nullptr; }))
        return Fail("no message box saying \"" + Utf8(text) + "\"");
    if (!ClickButtonOf(box, buttonId))
        return false;
    if (!WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        return Fail("the message box did not close");
    return true;
}

bool TandrelApp::ClickButtonOf(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (button == nullptr)
        return Fail("the box has no button " + std::to_string(buttonId));
    return ClickWhenReachable(button, "the box's button " + std::to_string(buttonId));
}

bool TandrelApp::WaitUntilStarted() {
    if (!WaitFor([&] { return GetFileAttributesA(LogPath().c_str()) != INVALID_FILE_ATTRIBUTES; }))
        return Fail("Start did not create " + Utf8(LogPath()));
    // Start is still running on the window's thread; an answered message means it has returned.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result))
        return Fail("the window does not answer after Start");
    return true;
}

bool TandrelApp::WaitUntilRunning(int nPos) {
    if (!WaitFor([&] { return Enabled(IDC_STOP) && ProgressPos() >= nPos; }, m_jobLimitMs))
        return Fail("the job did not reach " + std::to_string(nPos) + " files while running");
    return true;
}

bool TandrelApp::WaitUntilIdle(int nPos, int nMax) {
    // Start has set the progress to 0 and the worker reports only after its started message, so
    // the expected bar with Start enabled and Stop disabled is the finished state.
    if (!WaitFor(
            [&] {
                return (nPos < 0 || ProgressPos() == nPos) && ProgressMax() == nMax &&
                       Enabled(IDC_START) && !Enabled(IDC_STOP) && Enabled(IDOK);
            },
            m_jobLimitMs))
        return Fail("the job did not end: progress " + std::to_string(ProgressPos()) + " of " +
                    std::to_string(ProgressMax()) + ", Start " +
                    (Enabled(IDC_START) ? "enabled" : "disabled") + ", Stop " +
                    (Enabled(IDC_STOP) ? "enabled" : "disabled"));
    return true;
}

bool TandrelApp::RunJob(int nTotal, bool ask) {
    return PressStart() && (!ask || AnswerMessageBox("保存路径不存在,创建新目录吗?", IDOK)) &&
           WaitUntilStarted() && WaitUntilIdle(nTotal);
}

bool TandrelApp::PressClose() {
    if (!ClickControl(IDOK))
        return false;
    if (WaitForSingleObject(m_process.hProcess, kStepMs) != WAIT_OBJECT_0)
        return Fail("the program did not end after Close");
    return true;
}

bool TandrelApp::ClickCloseBox() {
    RECT rc;
    if (!GetWindowRect(m_hWnd, &rc))
        return Fail("the main window is gone");
    // The close box is the caption's right-most button: the window itself says where it is.
    for (POINT pt = {rc.right - 2, rc.top + 2}; pt.y < rc.top + 40; ++pt.y, pt.x = rc.right - 2) {
        for (; pt.x > rc.right - 60; --pt.x) {
            LRESULT hit = SendMessageA(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
            if (hit == HTCLOSE)
                return UserInput::Click(pt) || Fail("the click on the close box failed");
        }
    }
    return Fail("the caption has no close box");
}

bool TandrelApp::Restore() {
    ShowWindow(m_hWnd, SW_RESTORE);
    if (!WaitFor([&] { return !IsIconic(m_hWnd) && IsWindowVisible(m_hWnd); }))
        return Fail("the main window did not come back");
    return true;
}

bool TandrelApp::Capture(const std::string& bmpPath) const {
    if (!IsWindow(m_hWnd))
        return false;
    // The pointer goes out of the way, and with it any tool tip it raised.
    UserInput::MoveTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    // What the last steps changed may not be painted yet: have the window paint everything now.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return CaptureWindow(m_hWnd, bmpPath);
}
