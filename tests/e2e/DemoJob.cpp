// The scripted job that scripts/run.sh shows on a machine without a display: the demo
// documents converted through the window exactly as a person would, with screenshots of the
// window before, during and after the job.
// Usage: tandrel-demo TANDREL_EXE OUTPUT_FOLDER SCREENSHOT_FOLDER
#include "OfficeSim.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

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
        // Further screenshots go here, such as the About box: click toolbar button 3 (its
        // rectangle comes from TB_GETITEMRECT through a RemoteMemory), wait for the box, Shot().
        return m_app.PressClose();
    }

    const std::string& Error() const { return m_app.LastError(); }

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

    void Shot(const char* name) { m_app.Capture(mbcs::JoinPath(m_shots, name) + ".bmp"); }

    std::string m_exe, m_output, m_shots;
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
