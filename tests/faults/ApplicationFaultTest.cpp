// Every way an office application lets a job down, one row each, through the real program: the
// job runs to its end, every file ends either converted or logged as failed, the window tells of
// the failures, and no application is left running.
#include "FolderContents.h"
#include "ProgramFixture.h"
#include "framework/MbcsText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Server { Normal, Unregistered, RefusesStart, StartError, QuitError };

enum class Fate { kConverted, kFailed };
constexpr Fate kConverted = Fate::kConverted;
constexpr Fate kFailed = Fate::kFailed;

struct AppCase {
    const char* name;
    bool sheet;
    Server server;
    const char* rule; // fault rules of the file 坏 only
    const char* box;  // told once per job in a message box, "" for none; the entry stays unticked
    Fate bad;         // the file 坏
    Fate others;      // 甲 and 丙
};

// A hung call is ended by the watchdog, which ends the application: the file fails like any
// other (a hung open is the end-to-end test's case). A close that fails after a complete save
// leaves a complete result.
const AppCase kCases[] = {
    {"WordNotRegistered", false, Server::Unregistered, "", "Qor启动失败", kFailed, kFailed},
    {"WordRefusesToStart", false, Server::RefusesStart, "", "Qor启动失败", kFailed, kFailed},
    {"WordFailsWhileStarting", false, Server::StartError, "", "", kFailed, kFailed},
    {"SheetNotRegistered", true, Server::Unregistered, "", "LX启动失败", kFailed, kFailed},
    {"SheetRefusesToStart", true, Server::RefusesStart, "", "LX启动失败", kFailed, kFailed},
    {"SheetFailsWhileStarting", true, Server::StartError, "", "", kFailed, kFailed},
    {"OpenYieldsNothing", false, Server::Normal, "open-nothing", "", kFailed, kConverted},
    {"SaveWritesNothing", true, Server::Normal, "save-nothing", "", kFailed, kConverted},
    {"OpenError", false, Server::Normal, "open-error:800A03EC:无法打开", "", kFailed, kConverted},
    {"SaveError", true, Server::Normal, "save-error:800A1066:磁盘已满", "", kFailed, kConverted},
    {"CloseError", false, Server::Normal, "close-error:800A1066:无法关闭", "", kConverted,
     kConverted},
    {"SaveReturnsAFailure", true, Server::Normal, "save-fail:80004005", "", kFailed, kConverted},
    {"DiesWhileSavingADocument", false, Server::Normal, "save-die", "", kFailed, kConverted},
    {"DiesWhileSavingAWorkbook", true, Server::Normal, "save-die", "", kFailed, kConverted},
    {"WordQuitFails", false, Server::QuitError, "", "", kConverted, kConverted},
    {"SaveHangs", true, Server::Normal, "hang:save", "", kFailed, kConverted},
    {"CloseHangs", false, Server::Normal, "hang:close", "", kConverted, kConverted},
};

class ApplicationFault : public ProgramFixture, public testing::WithParamInterface<AppCase> {
public:
    // The program with the tests' short call limits: a hung call is ended in seconds.
    static void SetUpTestSuite() { SetUpSuiteFor(TANDREL_SHORT_LIMITS_EXE_FROM_HERE); }

protected:
    void SetUpServer(const AppCase& c, const std::string& badFile) {
        const char* progId = c.sheet ? "LX.Exe" : "Qor.Application";
        switch (c.server) {
        case Server::Unregistered:
            sim.Unregister(progId);
            break;
        case Server::RefusesStart:
            sim.RefuseStart(progId);
            break;
        case Server::StartError:
            sim.StartError(progId);
            break;
        case Server::QuitError:
            sim.QuitError(true);
            break;
        case Server::Normal:
            break;
        }
        sim.Fault(badFile, c.rule);
    }
};

std::string Payload(const std::string& stem) {
    return stem + "的正文\r\n第二行";
}

} // namespace

TEST_P(ApplicationFault, EveryFileEndsConvertedOrLogged) {
    const AppCase& c = GetParam();
    const std::string format = c.sheet ? "xls" : "doc", result = c.sheet ? "lx" : "qor";
    const std::string folder = std::string("app-") + c.name;
    for (const char* stem : {"甲", "坏", "丙"})
        WriteDoc(folder + "\\" + stem + "." + format, format, Payload(stem));
    SetUpServer(c, "坏." + format);

    Add({folder}, c.sheet);
    const std::string out = Output(c.name);
    Start(out);
    if (*c.box != '\0') {
        ASSERT_TRUE(App().AnswerMessageBox(c.box, IDOK)) << App().LastError();
    }
    WaitForEnd(3, 3);

    FolderContents::Entries expected = {{folder + "\\", ""}};
    std::string log;
    int failed = 0;
    for (const std::string& source : WalkOrder(folder)) {
        const std::string stem = source.substr(folder.size() + 1, 2);
        if ((stem == "坏" ? c.bad : c.others) == kConverted) {
            expected[folder + "\\" + stem + "." + result] =
                FolderContents::Doc(result, Payload(stem));
        } else {
            log += LogLine(source);
            ++failed;
        }
    }
    expected["qorconvert.log"] = log;
    if (failed > 0)
        ExpectNotice(failed, out);
    EXPECT_TRUE(FolderContents::Match(out, expected));
    ExpectConvertedOrLogged(out, "", WalkOrder(folder));
    ExpectWindow({*c.box == '\0'}, 3, 3, 3);
    ExpectNoServerLeft();
}

// A job of many documents whose application is not installed: one box, every document logged,
// its entries unticked, and the other application's entry converted. Once the application is
// installed, the next Start converts exactly what was left.
TEST_F(ApplicationFault, MissingApplicationIsToldOnceAndTheNextStartConvertsWhatItLeft) {
    std::vector<std::string> docs;
    for (const char* stem : {"一", "二", "三", "四", "五", "六"}) {
        docs.push_back(std::string("nostart\\docs\\") + stem + ".doc");
        WriteDoc(docs.back(), "doc", Payload(stem));
    }
    WriteDoc("nostart\\单.doc", "doc", Payload("单"));
    WriteDoc("nostart\\表.xls", "xls", Payload("表"));
    sim.Unregister("Qor.Application");
    Add({"nostart\\docs", "nostart\\单.doc"});
    Add({"nostart\\表.xls"}, true);
    const std::string out = Output("nostart");

    Start(out);
    ASSERT_TRUE(App().AnswerMessageBox("Qor启动失败", IDOK)) << App().LastError();
    WaitForEnd(8, 8);
    ExpectNotice(7, out);
    std::string log;
    for (const std::string& source : WalkOrder("nostart\\docs"))
        log += LogLine(source);
    log += LogLine("nostart\\单.doc");
    EXPECT_TRUE(FolderContents::Match(out, {{"docs\\", ""},
                                            {"表.lx", FolderContents::Doc("lx", Payload("表"))},
                                            {"qorconvert.log", log}}));
    ExpectWindow({false, false, true}, 8, 8, 8);

    sim.RegisterAgain();
    Start(out);
    WaitForEnd(8, 8);
    ExpectConvertedOrLogged(out, "nostart\\", docs);
    EXPECT_TRUE(IsDoc(mbcs::JoinPath(out, "单.qor"), "qor", Payload("单")));
    EXPECT_EQ("", ReadFileBytes(mbcs::JoinPath(out, "qorconvert.log")));
    ExpectWindow({true, true, true}, 8, 8, 8);
    ExpectNoServerLeft();
}

INSTANTIATE_TEST_SUITE_P(Matrix, ApplicationFault, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<AppCase>& info) {
                             return std::string(info.param.name);
                         });
