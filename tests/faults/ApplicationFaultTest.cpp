// Every way an office application lets a job down, one row each, through the real program: the
// job runs to its end, every file ends converted, logged as failed or told in a message box, the
// window reports the job as done, and no application is left running.
#include "FolderContents.h"
#include "ProgramFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Server { Normal, Unregistered, RefusesStart, StartError, QuitError };

struct Fate {
    bool converted;
    bool logged;
};
constexpr Fate kConverted = {true, false};
constexpr Fate kLost = {false, false};
constexpr Fate kFailed = {false, true};
// Saved in full, then the close failed: a complete result, and a log line all the same.
constexpr Fate kSavedThenFailed = {true, true};

struct AppCase {
    const char* name;
    bool sheet;
    Server server;
    const char* rule; // fault rules of the file 坏 only
    const char* box;  // told once per file in a message box, "" for none
    Fate bad;         // the file 坏
    Fate others;      // 甲 and 丙
};

// A hung call is ended by the watchdog, which ends the application: the file fails like any
// other (a hung open is the end-to-end test's case).
const AppCase kCases[] = {
    {"WordNotRegistered", false, Server::Unregistered, "", "Qor启动失败", kLost, kLost},
    {"WordRefusesToStart", false, Server::RefusesStart, "", "Qor启动失败", kLost, kLost},
    {"WordFailsWhileStarting", false, Server::StartError, "", "", kFailed, kFailed},
    {"SheetNotRegistered", true, Server::Unregistered, "", "LX启动失败", kLost, kLost},
    {"SheetRefusesToStart", true, Server::RefusesStart, "", "LX启动失败", kLost, kLost},
    {"SheetFailsWhileStarting", true, Server::StartError, "", "", kFailed, kFailed},
    {"OpenYieldsNothing", false, Server::Normal, "open-nothing", "", kLost, kConverted},
    {"OpenError", false, Server::Normal, "open-error:800A03EC:无法打开", "", kFailed, kConverted},
    {"SaveError", true, Server::Normal, "save-error:800A1066:磁盘已满", "", kFailed, kConverted},
    {"CloseError", false, Server::Normal, "close-error:800A1066:无法关闭", "", kSavedThenFailed,
     kConverted},
    {"SaveReturnsAFailure", true, Server::Normal, "save-fail:80004005", "", kFailed, kConverted},
    {"DiesWhileSavingADocument", false, Server::Normal, "save-die", "", kFailed, kConverted},
    {"DiesWhileSavingAWorkbook", true, Server::Normal, "save-die", "", kFailed, kConverted},
    {"WordQuitFails", false, Server::QuitError, "", "", kConverted, kConverted},
    {"SaveHangs", true, Server::Normal, "hang:save", "", kFailed, kConverted},
    {"CloseHangs", false, Server::Normal, "hang:close", "", kSavedThenFailed, kConverted},
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

TEST_P(ApplicationFault, EveryFileEndsConvertedLoggedOrTold) {
    const AppCase& c = GetParam();
    const std::string format = c.sheet ? "xls" : "doc", result = c.sheet ? "lx" : "qor";
    const std::string folder = std::string("app-") + c.name;
    for (const char* stem : {"甲", "坏", "丙"})
        WriteDoc(folder + "\\" + stem + "." + format, format, Payload(stem));
    SetUpServer(c, "坏." + format);

    Add({folder}, c.sheet);
    const std::string out = Output(c.name);
    Start(out);
    for (int file = 0; *c.box != '\0' && file < 3; ++file)
        ASSERT_TRUE(App().AnswerMessageBox(c.box, IDOK)) << App().LastError();
    WaitForEnd(3, 3);

    FolderContents::Entries expected = {{folder + "\\", ""}};
    std::string log;
    for (const std::string& source : WalkOrder(folder)) {
        const std::string stem = source.substr(folder.size() + 1, 2);
        const Fate fate = stem == "坏" ? c.bad : c.others;
        if (fate.converted)
            expected[folder + "\\" + stem + "." + result] =
                FolderContents::Doc(result, Payload(stem));
        if (fate.logged)
            log += LogLine(source);
    }
    expected["qorconvert.log"] = log;
    EXPECT_TRUE(FolderContents::Match(out, expected));
    ExpectWindow({true}, 3, 3, 3);
    ExpectNoServerLeft();
}

INSTANTIATE_TEST_SUITE_P(Matrix, ApplicationFault, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<AppCase>& info) {
                             return std::string(info.param.name);
                         });
