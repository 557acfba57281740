// The user's timing against the program's threads, through the real program: Stop deep inside a
// walk, Esc and the close box while a job runs, Cancel in the middle of a very long count, ">>"
// pressed again as an add run finishes, Close right after the job's end.
#include "FolderContents.h"
#include "ProgramFixture.h"
#include "UiPump.h"
#include "UserInput.h"
#include "WineHost.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

namespace {

using TimingFault = ProgramFixture;

std::string Doc(const std::string& format, const std::string& payload) {
    return FolderContents::Doc(format, payload);
}

// 100 folders of 998 documents, 100,000 entries with the dots. Made once by a Unix shell in the
// prefix's temporary folder and kept for later runs: Wine takes minutes to make or delete it.
std::string HundredThousandEntries() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string home = mbcs::JoinPath(temp, "tandrel-count-100000");
    const std::string tree = mbcs::JoinPath(home, "tree"), made = mbcs::JoinPath(home, "made");
    if (PathExists(made))
        return tree;
    CreateDirectoryA(home.c_str(), nullptr);
    const std::string script = mbcs::JoinPath(home, "make.sh");
    std::ofstream(script, std::ios::binary)
        << "cd \"$(dirname \"$0\")\" && rm -rf tree && mkdir tree && cd tree &&\n"
           "for d in $(seq -w 0 99); do\n"
           "  mkdir d$d && (cd d$d && seq -f f%04g.doc 1 998 | xargs touch) || exit 1\n"
           "done && touch ../made\n";
    RunUnixCommand("/bin/sh \"" + UnixPathOf(script) + "\"", 180000);
    return tree;
}

// The save calls in the journal, each by its target path.
std::vector<std::string> SavedTargets(const OfficeSim& sim) {
    const std::string save = "qor.document\tMETHOD\t376\tREF:BSTR:";
    std::vector<std::string> targets;
    for (const std::string& call : sim.Calls())
        if (call.compare(0, save.size(), save) == 0)
            targets.push_back(call.substr(save.size(), call.find('\t', save.size()) - save.size()));
    return targets;
}

} // namespace

// Stop while the walk is four levels down: the file in hand is finished, nothing after it is
// converted, neither entry is ticked; a second Start converts everything and ticks both.
TEST_F(TimingFault, StopDeepInAWalkLeavesItUndoneForTheNextStart) {
    std::string level = "deep\\top";
    std::map<std::string, std::string> payloads; // by result, relative to the output folder
    for (int n = 1; n <= 6; ++n) {
        for (const char* stem : {"a", "b"}) {
            const std::string name = stem + std::to_string(n);
            WriteDoc(level + "\\" + name + ".doc", "doc", name);
            payloads[level.substr(5) + "\\" + name + ".qor"] = name;
        }
        level += "\\L" + std::to_string(n);
    }
    WriteDoc("deep\\after.doc", "doc", "之后");
    payloads["after.qor"] = "之后";
    sim.Fault("a4.doc", "delay:save:1500");
    Add({"deep\\top"});
    Add({"deep\\after.doc"});
    const std::string out = Output("deep");

    Start(out);
    ASSERT_TRUE(PumpUntil(
        [&] {
            std::vector<std::string> saved = SavedTargets(sim);
            return !saved.empty() && saved.back().find("\\a4.qor") != std::string::npos;
        },
        30000))
        << "the slow save was not reached";
    ASSERT_TRUE(App().ClickControl(IDC_STOP)) << App().LastError();
    const size_t savedAtStop = SavedTargets(sim).size();
    WaitForEnd(-1, 13);
    FolderContents::Entries converted;
    for (const std::string& target : SavedTargets(sim)) {
        const std::string relative = target.substr(out.size() + 1);
        converted[relative] = Doc("qor", payloads[relative]);
    }
    EXPECT_EQ(savedAtStop, converted.size()) << "a file after the one in hand was converted";
    converted["qorconvert.log"] = "";
    FolderContents::Entries files = FolderContents::Read(out);
    for (auto it = files.begin(); it != files.end();)
        it = it->first.back() == '\\' ? files.erase(it) : std::next(it);
    EXPECT_TRUE(files == converted) << files.size() << " files for " << converted.size();
    ExpectWindow({false, false}, static_cast<int>(savedAtStop), 13, 13);

    Start(out);
    WaitForEnd(13, 13);
    for (const auto& result : payloads)
        EXPECT_TRUE(IsDoc(mbcs::JoinPath(out, result.first), "qor", result.second));
    ExpectWindow({true, true}, 13, 13, 13);
}

// Esc and the caption's close box only minimize the window; the job runs on to its end.
TEST_F(TimingFault, EscAndTheCloseBoxDuringAJobOnlyMinimize) {
    for (const char* stem : {"一", "二", "三"}) {
        WriteDoc(std::string("minimize\\") + stem + ".doc", "doc", stem);
        sim.Fault(std::string(stem) + ".doc", "delay:save:1500");
    }
    Add({"minimize"});
    const std::string out = Output("minimize");
    TandrelApp& app = App();
    auto minimized = [&] {
        return PumpUntil([&] { return IsIconic(app.Window()) != FALSE; }, 3000);
    };

    Start(out);
    ASSERT_TRUE(app.WaitUntilRunning(0)) << app.LastError();
    ASSERT_TRUE(app.ClickControl(IDC_OUTPUT_DIR)) << app.LastError();
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(minimized()) << "Esc did not minimize";
    EXPECT_TRUE(app.Enabled(IDC_STOP)) << "the job ended before the test was done with it";
    ASSERT_TRUE(app.Restore()) << app.LastError();
    ASSERT_TRUE(app.ClickCloseBox()) << app.LastError();
    EXPECT_TRUE(minimized()) << "the close box did not minimize";
    EXPECT_TRUE(app.Enabled(IDC_STOP)) << "the job ended before the test was done with it";
    ASSERT_TRUE(app.Restore()) << app.LastError();

    WaitForEnd(3, 3);
    EXPECT_TRUE(FolderContents::Match(out, {{"minimize\\", ""},
                                            {"minimize\\一.qor", Doc("qor", "一")},
                                            {"minimize\\二.qor", Doc("qor", "二")},
                                            {"minimize\\三.qor", Doc("qor", "三")},
                                            {"qorconvert.log", ""}}));
    ExpectWindow({true}, 3, 3, 3);
}

// Cancel as soon as the count of 100,000 entries is in the big folder (the whole count takes
// about a second): the box goes at once, the window comes back when the add thread has stopped,
// and only the item counted before is added.
TEST_F(TimingFault, CancelInTheMiddleOfAHundredThousandEntryCount) {
    const std::string big = HundredThousandEntries();
    ASSERT_TRUE(PathExists(mbcs::JoinPath(big, "d99\\f0998.doc"))) << "the big tree was not made";
    WriteDoc("count\\a-small\\a.doc", "doc", "a");
    MakeFolder("count");
    const std::string link = Source("count\\big");
    ASSERT_TRUE(MakeUnixSymlink(big, link));
    struct Unlink {
        std::string link;
        ~Unlink() { RemoveUnixSymlink(link); }
    } unlink{link};
    TandrelApp& app = App();
    HTREEITEM small = SourceItem("count\\a-small"), large = SourceItem("count\\big", false);
    ASSERT_TRUE(small && large);
    ASSERT_TRUE(app.Select(app.SourceTree(), small) &&
                app.Select(app.SourceTree(), large, MK_CONTROL))
        << app.LastError();

    ASSERT_TRUE(app.ClickControl(IDC_ADD)) << app.LastError();
    HWND box = nullptr;
    auto scanned = [&] {
        char path[1024] = {};
        GetDlgItemTextA(box, IDC_SCAN_PATH, path, sizeof(path));
        return std::string(path);
    };
    ASSERT_TRUE(PumpUntil(
        [&] {
            box = app.AddFilesBox();
            return box != nullptr && scanned().find("\\big\\") != std::string::npos;
        },
        30000))
        << "the count did not reach the big folder";
    EXPECT_FALSE(IsWindowEnabled(app.Window()));
    const DWORD click = GetTickCount();
    ASSERT_TRUE(app.ClickButtonOf(box, IDCANCEL)) << app.LastError();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
    EXPECT_LT(GetTickCount() - click, 1000u) << "the box did not go at once";
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(app.Window()) && !IsWindow(box); }, 10000))
        << "the window did not come back";
    EXPECT_EQ(1, app.ListTree().Count());
    EXPECT_EQ("转换文件数: 1", app.Text(IDC_FILE_COUNT));
}

// ">>" clicked the moment the window comes back from an add run, while that run's box is still
// closing: the second run counts in full like the first. Two presses in all: a third, clicked
// once the second run had ended, would add an entry behind the wait's back.
TEST_F(TimingFault, AddPressedAgainAsAnAddRunFinishes) {
    for (int i = 0; i < 200; ++i)
        WriteDoc("again\\docs\\f" + std::to_string(i) + ".doc", "doc", "x");
    TandrelApp& app = App();
    HTREEITEM docs = SourceItem("again\\docs");
    ASSERT_NE(nullptr, docs);
    ASSERT_TRUE(app.Select(app.SourceTree(), docs)) << app.LastError();

    ASSERT_TRUE(app.ClickControl(IDC_ADD)) << app.LastError();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(app.Window()); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(app.Window()) != FALSE; }, 30000));
    ASSERT_TRUE(app.AddSelected(2)) << app.LastError();
    EXPECT_EQ("转换文件数: 400", app.Text(IDC_FILE_COUNT));
}

// Close pressed the moment the job has ended: the program ends within its five seconds, with
// every result in place and no application left behind. Last: it ends the suite's program.
TEST_F(TimingFault, CloseRightAfterTheJobEnds) {
    WriteDoc("close\\甲.doc", "doc", "甲");
    WriteDoc("close\\乙.xls", "xls", "乙");
    Add({"close\\甲.doc"});
    Add({"close\\乙.xls"}, true);
    const std::string out = Output("close");

    Start(out);
    WaitForEnd(2, 2);
    const DWORD click = GetTickCount();
    ASSERT_TRUE(App().PressClose()) << App().LastError();
    EXPECT_LT(GetTickCount() - click, 5500u);
    EXPECT_TRUE(FolderContents::Match(
        out, {{"甲.qor", Doc("qor", "甲")}, {"乙.lx", Doc("lx", "乙")}, {"qorconvert.log", ""}}));
    ExpectNoServerLeft();
}
