// The real program in its own process, used as a person uses it: the mouse opens the tree and
// selects, ">>" fills the list, the keyboard types the output folder, Start runs the job against
// the stand-in office servers; everything is checked on screen and on disk.
#include "FailureLog.h"
#include "FolderContents.h"
#include "OfficeSim.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "TestDrive.h"
#include "UiPump.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The documents on the test drive. The person selects the folder 资料 and the file 单独.doc;
// 乗 (0x81 0x5C) carries a backslash as its trail byte.
struct Source {
    const char* path;
    const char* format; // "" for a file without header
    const char* payload;
    const char* result; // under the output folder; nullptr when the job leaves it alone
    const char* resultFormat;
};
const Source kSources[] = {
    {"资料\\报告.doc", "doc", "年度报告：全年完成各项任务。", "资料\\报告.qor", "qor"},
    {"资料\\模板.dot", "dot", "会议纪要：时间、地点、议题。", "资料\\模板.qot", "qot"},
    {"资料\\乗务\\纪要.doc", "doc", "乗务会议纪要", "资料\\乗务\\纪要.qor", "qor"},
    {"资料\\说明.txt", "", "不是要转换的文档", nullptr, nullptr},
    {"资料\\预算.xls", "xls", "表格属于另一类文档", nullptr, nullptr},
    {"单独.doc", "", "没有文件头，整个文件都是正文", "单独.qor", "qor"},
};
const char* const kMirrorFolders[] = {"资料\\", "资料\\乗务\\", "资料\\乗务\\空的\\"};
constexpr int kFileTotal = 4;
// The source whose save fails in the second test, and the name its fault rule goes by.
constexpr char kFailingSource[] = "资料\\乗务\\纪要.doc";
constexpr char kFailingName[] = "纪要.doc";

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(FailureShot().c_str());
        ASSERT_TRUE(drive.ok());
        for (const Source& source : kSources) {
            sources.WriteFile(source.path); // with its folders
            OfficeSim::WriteDoc(sources / source.path, source.format, source.payload);
        }
        sources.MakeDir("资料\\乗务\\空的");
        ASSERT_TRUE(app.Start(TandrelApp::ProgramPath(Program()))) << app.LastError();
    }

    // The program under test, relative to this test's folder.
    virtual const char* Program() const { return TANDREL_EXE_FROM_HERE; }

    void TearDown() override {
        if (HasFailure())
            app.Capture(FailureShot());
    }

    static std::string FailureShot() {
        return std::string("e2e-failed-") +
               testing::UnitTest::GetInstance()->current_test_info()->name() + ".bmp";
    }

    // Opens the test drive, selects the folder with a click and the file with a Ctrl-click, and
    // moves both into the list.
    void AddFolderAndFile() {
        RemoteTree& tree = app.SourceTree();
        HTREEITEM drv = tree.Find("(" + drive.root().substr(0, 2) + ")", false);
        ASSERT_NE(nullptr, drv) << "the test drive is not under the computer folder";
        ASSERT_TRUE(app.Expand(drv)) << app.LastError();
        HTREEITEM folder = tree.Find("资料"), file = tree.Find("单独.doc");
        ASSERT_TRUE(folder && file) << "the drive does not show the folder and the file";
        ASSERT_TRUE(app.Select(folder, false)) << app.LastError();
        ASSERT_TRUE(app.Select(file, true)) << app.LastError();
        ASSERT_TRUE(tree.Selected(folder)) << "the Ctrl-click dropped the folder";
        ASSERT_TRUE(app.AddSelected(2)) << app.LastError();

        RemoteTree& list = app.ListTree();
        std::vector<HTREEITEM> entries = list.DisplayOrder();
        ASSERT_EQ(2u, entries.size());
        EXPECT_EQ(drive.root() + "资料", list.Text(entries[0]));
        EXPECT_EQ(drive.root() + "单独.doc", list.Text(entries[1]));
        EXPECT_EQ("转换文件数: 4", app.Text(IDC_FILE_COUNT));
    }

    // The window after a job over the whole list: both entries ticked, the bar full.
    void ExpectJobDoneOnScreen() {
        for (HTREEITEM entry : app.ListTree().DisplayOrder())
            EXPECT_TRUE(app.ListTree().Checked(entry)) << Utf8(app.ListTree().Text(entry));
        EXPECT_EQ(kFileTotal, app.ProgressPos());
        EXPECT_EQ(kFileTotal, app.ProgressMax());
        EXPECT_EQ("转换文件数: 4", app.Text(IDC_FILE_COUNT));
    }

    // The end-of-job notice of one failure, seen and closed with OK.
    void ExpectNoticeOfOneFailure(const std::string& out, const char* shot) {
        ASSERT_TRUE(PumpUntil([&] { return app.OtherDialogs() == 1; })) << "no notice";
        app.Capture(shot);
        const std::string text = "有 1 个文件转换失败,请查看日志文件:\n" + out + "\\qorconvert.log";
        ASSERT_TRUE(app.AnswerMessageBox(text, IDOK)) << app.LastError();
    }

    // The output folder mirrors the source folder and holds every result but that of the source
    // failing, and a log of exactly log.
    void ExpectOutput(const std::string& out, const std::string& failing, const std::string& log) {
        FolderContents::Entries expected = {{"qorconvert.log", log}};
        for (const char* folder : kMirrorFolders)
            expected[folder] = "";
        for (const Source& source : kSources) {
            if (source.result != nullptr && failing != source.path)
                expected[source.result] = FolderContents::Doc(source.resultFormat, source.payload);
        }
        EXPECT_TRUE(FolderContents::Match(out, expected));
    }

    // A job over the whole list into a new output folder while the failing source's fault rule
    // holds: that source logged, everything else converted.
    void RunJobFailingOne(const char* rule, const char* folder, const char* shot) {
        sim.Fault(kFailingName, rule);
        AddFolderAndFile();
        std::string out = outputs / folder;
        ASSERT_TRUE(app.TypeOutputFolder(out)) << app.LastError();
        ASSERT_TRUE(app.RunJob(kFileTotal, true)) << app.LastError();
        ExpectNoticeOfOneFailure(out, shot);
        ExpectOutput(out, kFailingSource, FailureLogLine(drive.root() + kFailingSource));
        ExpectJobDoneOnScreen();
    }

    TempDir sources{"e2e-src"};
    TempDir outputs{"e2e-out"};
    TestDrive drive{sources.path(), DRIVE_FIXED};
    OfficeSim sim;
    TandrelApp app;
};

// The program built with the tests' short call limits: a call may take 10 s.
class EndToEndShortLimits : public EndToEnd {
protected:
    const char* Program() const override { return TANDREL_SHORT_LIMITS_EXE_FROM_TEST; }
};

} // namespace

TEST_F(EndToEnd, ConvertsAFolderAndAFileThenASecondStartConvertsNothing) {
    AddFolderAndFile();
    // Two levels that do not exist yet: Start offers to create them. Typed text stays ASCII: keys
    // become characters through the keyboard layout's code page, which is not 936 here.
    std::string out = outputs / "converted\\first";
    ASSERT_TRUE(app.TypeOutputFolder(out)) << app.LastError();
    app.Capture("e2e-before-start.bmp");
    ASSERT_TRUE(app.RunJob(kFileTotal, true)) << app.LastError();
    app.Capture("e2e-after-job.bmp");
    ExpectOutput(out, "", "");
    ExpectJobDoneOnScreen();

    FolderContents::Entries before = FolderContents::Read(out);
    sim.ClearJournal();
    ASSERT_TRUE(app.RunJob(kFileTotal, false)) << app.LastError();
    EXPECT_TRUE(FolderContents::Match(out, before)) << "the second Start changed the output folder";
    EXPECT_TRUE(sim.Calls().empty()) << "the second Start called an office application";
    ExpectJobDoneOnScreen();
    EXPECT_TRUE(app.PressClose()) << app.LastError();
}

TEST_F(EndToEnd, ASaveFailureIsLoggedAndTheRestConverted) {
    ASSERT_NO_FATAL_FAILURE(
        RunJobFailingOne("save-error:800A1066:磁盘已满", "with-failure", "e2e-save-failure.bmp"));
    EXPECT_TRUE(app.PressClose()) << app.LastError();
}

TEST_F(EndToEndShortLimits, AHungApplicationIsEndedAndTheJobFinishesOnItsOwn) {
    const std::vector<DWORD> before = OfficeSim::ServerPids();
    ASSERT_NO_FATAL_FAILURE(RunJobFailingOne("hang:open", "with-hang", "e2e-hang-notice.bmp"));
    EXPECT_EQ(std::vector<DWORD>(), OfficeSim::ServerPidsSince(before))
        << "an application that the job started is left running";
    EXPECT_TRUE(app.PressClose()) << app.LastError();
}
