#include "ProgramFixture.h"

#include "FailureLog.h"
#include "UiPump.h"
#include "WalkOrder.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <windows.h>

#include <algorithm>
#include <map>

namespace {

struct Suite {
    std::string program;
    TempDir sources{"faults-src"};
    TempDir outputs{"faults-out"};
    TestDrive drive{sources.path(), DRIVE_FIXED};
    std::unique_ptr<TandrelApp> app;
    int outputsMade = 0;
};

Suite* g_suite = nullptr;

std::string FailureShot() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("faults-") + test->test_suite_name() + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '-'); // the parts of a table's test name
    return name + ".bmp";
}

} // namespace

void ProgramFixture::SetUpSuiteFor(const char* programFromHere) {
    g_suite = new Suite;
    g_suite->program = TandrelApp::ProgramPath(programFromHere);
}

void ProgramFixture::TearDownTestSuite() {
    delete g_suite;
    g_suite = nullptr;
}

void ProgramFixture::EndCaseOnFatalFailure::OnTestPartResult(
    const testing::TestPartResult& result) {
    // The test framework takes this exception for a failure already reported.
    if (result.fatally_failed())
        throw testing::AssertionException(result);
}

void ProgramFixture::SetUp() {
    testing::UnitTest::GetInstance()->listeners().Append(&m_endCase);
    ASSERT_TRUE(g_suite->drive.ok()) << "no drive letter from the mount manager";
    std::unique_ptr<TandrelApp>& app = g_suite->app;
    if (app == nullptr || !app->Running()) {
        app.reset(new TandrelApp);
        ASSERT_TRUE(app->Start(g_suite->program)) << app->LastError();
    }
    ASSERT_TRUE(app->RemoveAll()) << app->LastError();
}

void ProgramFixture::TearDown() {
    testing::UnitTest::GetInstance()->listeners().Release(&m_endCase);
    if (!HasFailure() || g_suite->app == nullptr)
        return;
    App().Capture(FailureShot());
    // The next case must not inherit a half-finished state.
    g_suite->app.reset();
    OfficeSim::KillServers();
}

TandrelApp& ProgramFixture::App() {
    return *g_suite->app;
}

const TestDrive& ProgramFixture::Drive() {
    return g_suite->drive;
}

std::string ProgramFixture::Source(const std::string& relative) {
    return g_suite->drive.root() + relative;
}

std::string ProgramFixture::WriteDoc(const std::string& relative, const std::string& format,
                                     const std::string& payload) {
    std::string path = g_suite->sources.WriteFile(relative);
    OfficeSim::WriteDoc(path, format, payload);
    return Source(relative);
}

std::string ProgramFixture::MakeFolder(const std::string& relative) {
    g_suite->sources.MakeDir(relative);
    return Source(relative);
}

std::string ProgramFixture::Output(const std::string& name) {
    return g_suite->outputs.MakeDir(name + "-" + std::to_string(++g_suite->outputsMade));
}

HTREEITEM ProgramFixture::SourceItem(const std::string& relative, bool fresh) {
    TandrelApp& app = App();
    RemoteTree& tree = app.SourceTree();
    HTREEITEM item = tree.Find("(" + Drive().root().substr(0, 2) + ")", false);
    EXPECT_NE(nullptr, item) << "the test drive is not under the computer folder";
    if (item != nullptr && fresh && tree.Expanded(item)) {
        EXPECT_TRUE(app.Collapse(item)) << app.LastError();
    }
    for (size_t start = 0; item != nullptr;) {
        if (!tree.Expanded(item)) {
            EXPECT_TRUE(app.Expand(item)) << app.LastError();
        }
        size_t end = mbcs::FindChar(relative, '\\', start);
        if (end == mbcs::npos)
            end = relative.size();
        const std::string name = relative.substr(start, end - start);
        HTREEITEM child = tree.Child(item, name);
        EXPECT_NE(nullptr, child) << "the source tree does not show " << Utf8(relative);
        if (end == relative.size() || child == nullptr)
            return child;
        item = child;
        start = end + 1;
    }
    return nullptr;
}

void ProgramFixture::Add(const std::vector<std::string>& relatives, bool sheet) {
    TandrelApp& app = App();
    ASSERT_TRUE(app.ChooseKind(sheet)) << app.LastError();
    int entries = app.ListTree().Count();
    std::vector<HTREEITEM> items;
    for (const std::string& relative : relatives) {
        items.push_back(SourceItem(relative, items.empty()));
        ASSERT_NE(nullptr, items.back());
    }
    for (size_t i = 0; i < items.size(); ++i)
        ASSERT_TRUE(app.Select(app.SourceTree(), items[i], i == 0 ? 0 : MK_CONTROL))
            << app.LastError();
    ASSERT_TRUE(app.AddSelected(entries + static_cast<int>(relatives.size()))) << app.LastError();
}

void ProgramFixture::Start(const std::string& output) {
    TandrelApp& app = App();
    ASSERT_TRUE(app.TypeOutputFolder(output)) << app.LastError();
    ASSERT_TRUE(app.PressStart()) << app.LastError();
    ASSERT_TRUE(app.WaitUntilStarted()) << app.LastError();
}

void ProgramFixture::StartWithoutLog(const std::string& output) {
    TandrelApp& app = App();
    ASSERT_TRUE(app.TypeOutputFolder(output)) << app.LastError();
    ASSERT_TRUE(app.PressStart()) << app.LastError();
    ASSERT_TRUE(app.WaitUntilRunning(0)) << app.LastError();
}

void ProgramFixture::WaitForEnd(int pos, int max) {
    ASSERT_TRUE(App().WaitUntilIdle(pos, max)) << App().LastError();
}

void ProgramFixture::ExpectWindow(const std::vector<bool>& ticks, int pos, int max, int count) {
    TandrelApp& app = App();
    std::vector<HTREEITEM> entries = app.ListTree().DisplayOrder();
    ASSERT_EQ(ticks.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(ticks[i], app.ListTree().Checked(entries[i]))
            << Utf8(app.ListTree().Text(entries[i]));
    EXPECT_EQ(pos, app.ProgressPos());
    EXPECT_EQ(max, app.ProgressMax());
    EXPECT_EQ("转换文件数: " + std::to_string(count), app.Text(IDC_FILE_COUNT));
    EXPECT_EQ(0, app.OtherDialogs()) << "a message box or the add-files box is still open";
}

void ProgramFixture::ExpectNoServerLeft() {
    EXPECT_TRUE(PumpUntil([] { return OfficeSim::ServerPids().empty(); }, 5000))
        << OfficeSim::ServerPids().size() << " stand-in servers still run after the job";
}

std::string ProgramFixture::LogLine(const std::string& relative) {
    return FailureLogLine(Source(relative));
}

std::vector<std::string> ProgramFixture::WalkOrder(const std::string& relativeFolder) {
    std::vector<std::string> sources;
    for (const std::string& path : FilesInWalkOrder(Source(relativeFolder)))
        sources.push_back(path.substr(Drive().root().size()));
    return sources;
}

void ProgramFixture::ExpectNotice(int failed, const std::string& out,
                                  const std::vector<std::string>& lost) {
    std::string text = "有 " + std::to_string(failed) + " 个文件转换失败,请查看日志文件:\n" +
                       mbcs::JoinPath(out, "qorconvert.log");
    if (!lost.empty())
        text += "\n\n以下 " + std::to_string(lost.size()) + " 个失败的文件未能写入日志:";
    for (const std::string& relative : lost)
        text += "\n" + Source(relative);
    ASSERT_TRUE(App().AnswerMessageBox(text, IDOK)) << App().LastError();
}

void ProgramFixture::ExpectConvertedOrLogged(const std::string& out, const std::string& parent,
                                             const std::vector<std::string>& sources) {
    const std::string log = ReadFileBytes(mbcs::JoinPath(out, "qorconvert.log"));
    const std::map<std::string, std::string> results = {
        {".doc", ".qor"}, {".dot", ".qot"}, {".xls", ".lx"}, {".xlt", ".lxt"}};
    for (const std::string& source : sources) {
        const mbcs::PathParts parts = mbcs::SplitPath(source);
        const std::string folder = (parts.drive + parts.dir).substr(parent.size());
        const std::string target =
            mbcs::JoinPath(out, folder + parts.fname + results.at(parts.ext));
        const bool converted = PathExists(target);
        const bool logged = log.find(LogLine(source)) != std::string::npos;
        EXPECT_NE(converted, logged)
            << Utf8(source)
            << (converted ? " is converted and logged" : " is neither converted nor logged");
    }
}
