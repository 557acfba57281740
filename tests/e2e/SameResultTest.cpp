// One job run twice over the same sources: once in the window, as a person does it with the mouse
// and the keyboard, and once by tandrelc.exe, as a script starts it. Both run the same engine, so
// the two output folders and their logs must be the same, byte for byte.
#include "FailureLog.h"
#include "OfficeSim.h"
#include "TandrelApp.h"
#include "TandrelcProcess.h"
#include "TempDir.h"
#include "TestDrive.h"
#include "UiPump.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Each document holds its own path as payload. 乗 (0x81 0x5C) ends in a backslash byte, 空的 stays
// empty, the spreadsheet is not of the job's kind, and 纪要.doc fails to save.
const char* const kDocuments[][2] = {
    {"资料\\报告.doc", "doc"},       {"资料\\模板.dot", "dot"}, {"资料\\乗务\\纪要.doc", "doc"},
    {"资料\\乗务\\预算.xls", "xls"}, {"单独.doc", "doc"},
};
constexpr int kFileTotal = 4;
constexpr char kFailingName[] = "纪要.doc";
constexpr char kFailingSource[] = "资料\\乗务\\纪要.doc";

// Reports every entry that is in only one of the trees or whose bytes differ.
void ExpectSameTrees(const std::map<std::string, std::string>& window,
                     const std::map<std::string, std::string>& console) {
    for (const auto& entry : window) {
        auto found = console.find(entry.first);
        if (found == console.end())
            ADD_FAILURE() << Utf8(entry.first) << " came only from the window";
        else
            EXPECT_EQ(Utf8(entry.second), Utf8(found->second)) << Utf8(entry.first);
    }
    for (const auto& entry : console)
        EXPECT_TRUE(window.count(entry.first)) << Utf8(entry.first) << " came only from tandrelc";
}

} // namespace

TEST(SameResult, TheWindowAndTandrelcMakeTheSameFilesAndLogFromOneJob) {
    TempDir sources{"same-src"}, outputs{"same-out"};
    TestDrive drive{sources.path(), DRIVE_FIXED};
    ASSERT_TRUE(drive.ok());
    for (const auto& document : kDocuments)
        OfficeSim::WriteDoc(sources.WriteFile(document[0], ""), document[1], document[0]);
    sources.MakeDir("资料\\乗务\\空的");
    OfficeSim sim;
    sim.Fault(kFailingName, "save-error:800A1066:磁盘已满");

    // The window, Word documents to Qor as it starts: the folder with a click, the file with a
    // Ctrl-click, ">>", a new output folder typed, Start, OK to create it.
    TandrelApp app;
    ASSERT_TRUE(app.Start(TandrelApp::ProgramPath(TANDREL_EXE_FROM_HERE))) << app.LastError();
    RemoteTree& tree = app.SourceTree();
    HTREEITEM drv = tree.Find("(" + drive.root().substr(0, 2) + ")", false);
    ASSERT_TRUE(drv && app.Expand(drv)) << app.LastError();
    HTREEITEM folder = tree.Find("资料"), file = tree.Find("单独.doc");
    ASSERT_TRUE(folder && file) << "the drive does not show the folder and the file";
    ASSERT_TRUE(app.Select(folder, false) && app.Select(file, true) && app.AddSelected(2))
        << app.LastError();
    const std::string windowOut = outputs / "window";
    ASSERT_TRUE(app.TypeOutputFolder(windowOut)) << app.LastError();
    ASSERT_TRUE(app.RunJob(kFileTotal, true)) << app.LastError();
    ASSERT_TRUE(app.AnswerMessageBox(
        "有 1 个文件转换失败,请查看日志文件:\n" + windowOut + "\\qorconvert.log", IDOK))
        << app.LastError();
    ASSERT_TRUE(app.PressClose()) << app.LastError();

    // tandrelc with the same sources in the list's order, by the same paths, since the log
    // holds them.
    const std::string consoleOut = outputs / "tandrelc";
    TandrelcProcess run;
    ASSERT_TRUE(run.Start("/kind:doc " + drive.root() + "资料 " + drive.root() +
                              "单独.doc /out:" + consoleOut,
                          outputs.path()));
    EXPECT_EQ(1, run.Wait()) << Utf8(run.Err());

    std::map<std::string, std::string> window = TreeContents(windowOut);
    EXPECT_EQ(Utf8(FailureLogLine(drive.root() + kFailingSource)),
              Utf8(ReadFileBytes(outputs / "window\\qorconvert.log")));
    EXPECT_TRUE(window.count("资料\\乗务\\空的\\")) << "the empty folder is mirrored";
    ExpectSameTrees(window, TreeContents(consoleOut));
}
