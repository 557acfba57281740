// The scripted job that scripts/run.sh shows on a machine without a display: the demo
// documents converted through the window exactly as a person would, with screenshots of the
// window before, during and after the job, and of the About box.
// Usage: tandrel-demo TANDREL_EXE OUTPUT_FOLDER SCREENSHOT_FOLDER
#include "OfficeSim.h"
#include "RemoteMemory.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "UiPump.h"
#include "UserInput.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kDemoFolder[] = "转换示例";
constexpr char kDemoSubFolder[] = "乗务安排";
constexpr char kDemoFile[] = "年度报告.doc";
// The file converted last is slowed down, so that the job is seen under way.
constexpr char kSlowRule[] = "delay:save:3000";

class DemoJob {
public:
    DemoJob(const char* exe, const char* output, const char* shots)
        : m_exe(exe), m_output(output), m_shots(shots) {}

    bool Run() {
        m_sim.Fault(kDemoFile, kSlowRule);
        RemoveTree(m_output); // so that Start asks to create it, as on a first run
        if (!m_app.Start(m_exe) || !SelectDemoDocuments() || !m_app.AddSelected(2) ||
            !m_app.TypeOutputFolder(m_output))
            return false;
        Shot("tandrel-before");
        if (!m_app.PressStart() || !m_app.AnswerMessageBox("保存路径不存在,创建新目录吗?", IDOK) ||
            !m_app.WaitUntilStarted())
            return false;
        int total = m_app.ProgressMax();
        if (!m_app.WaitUntilRunning(total - 1))
            return false;
        Shot("tandrel-during");
        if (!m_app.WaitUntilIdle(total))
            return false;
        Shot("tandrel-after");
        return ShowAbout() && m_app.PressClose();
    }

    const std::string& Error() const { return m_error.empty() ? m_app.LastError() : m_error; }

private:
    // The folder 乗务安排 with a click and the document 年度报告.doc with a Ctrl-click, both
    // inside the demo folder on the desktop.
    bool SelectDemoDocuments() {
        RemoteTree& tree = m_app.SourceTree();
        HTREEITEM demo = tree.Find(kDemoFolder);
        if (demo == nullptr || !m_app.Expand(demo))
            return false;
        HTREEITEM folder = tree.Find(kDemoSubFolder), file = tree.Find(kDemoFile);
        return folder != nullptr && file != nullptr && m_app.Select(folder, false) &&
               m_app.Select(file, true);
    }

    // The About box, opened with the toolbar's third button and closed with a click on it.
    bool ShowAbout() {
        HWND bar = FindWindowExA(m_app.Window(), nullptr, TOOLBARCLASSNAMEA, nullptr);
        DWORD pid = 0;
        GetWindowThreadProcessId(m_app.Window(), &pid);
        RECT button = {};
        if (!ToolBarButtonRect(bar, pid, 2, &button) || !UserInput::Click(Centre(button)))
            return Fail("the toolbar's About button cannot be clicked");
        HWND about = nullptr;
        for (int i = 0; i < 100 && about == nullptr; ++i) {
            Sleep(50);
            about = FindAboutBox(pid);
        }
        if (about == nullptr)
            return Fail("the About box did not open");
        Sleep(300); // let it paint before the picture is taken
        CaptureWindow(about, mbcs::JoinPath(m_shots, "tandrel-about") + ".bmp");
        RECT rc;
        GetWindowRect(about, &rc);
        UserInput::Click(Centre(rc));
        for (int i = 0; i < 100 && IsWindow(about); ++i)
            Sleep(50);
        return !IsWindow(about) || Fail("a click on the About box did not close it");
    }

    bool Fail(const char* what) {
        m_error = what;
        return false;
    }

    static POINT Centre(const RECT& rc) {
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    static bool ToolBarButtonRect(HWND bar, DWORD pid, int index, RECT* rc) {
        HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        bool ok = false;
        {
            RemoteMemory remote(process, sizeof(RECT));
            ok = remote.ok() && SendMessageA(bar, TB_GETITEMRECT, index, remote.At()) &&
                 remote.Read(0, rc, sizeof(*rc));
        }
        CloseHandle(process);
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(rc), 2);
        return ok;
    }

    struct AboutSearch {
        DWORD pid;
        HWND found;
    };

    static BOOL CALLBACK IsAboutBox(HWND hWnd, LPARAM lParam) {
        auto* search = reinterpret_cast<AboutSearch*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hWnd, &owner);
        if (owner == search->pid && IsWindowVisible(hWnd) && GetDlgItem(hWnd, IDC_SOFTNAME))
            search->found = hWnd;
        return search->found == nullptr;
    }

    // The About box is the process's visible dialog that shows the product name.
    static HWND FindAboutBox(DWORD pid) {
        AboutSearch search = {pid, nullptr};
        EnumWindows(IsAboutBox, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    void Shot(const char* name) { m_app.Capture(mbcs::JoinPath(m_shots, name) + ".bmp"); }

    std::string m_exe, m_output, m_shots, m_error;
    OfficeSim m_sim;
    TandrelApp m_app;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tandrel-demo TANDREL_EXE OUTPUT_FOLDER SCREENSHOT_FOLDER\n");
        return 2;
    }
    DemoJob demo(argv[1], argv[2], argv[3]);
    if (demo.Run())
        return 0;
    std::fprintf(stderr, "tandrel-demo: %s\n", demo.Error().c_str());
    return 1;
}
