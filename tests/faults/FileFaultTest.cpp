// Files and folders that stand in a job's way, through the real program: an output folder that
// cannot be written, a log that is locked or removed, sources that vanish, names that are taken,
// an output folder inside or equal to a selected folder, a read-only target.
#include "FolderContents.h"
#include "ProgramFixture.h"
#include "UiPump.h"
#include "WineHost.h"
#include "framework/FolderTree.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using FileFault = ProgramFixture;

constexpr char kInsideQuestion[] =
    "转换错误:目标文件夹是源文件夹的子目录\n单击\"确定\"跳过这个文件继续转换";

bool CanWriteInto(const std::string& folder) {
    const std::string probe = mbcs::JoinPath(folder, "probe.tmp");
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return true;
}

// Makes a folder read-only for everyone until it goes: the write bits off, and the immutable
// attribute on, which stops root too (root ignores the bits).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder) : m_unix("'" + UnixPathOf(folder) + "'") {
        RunUnixCommand("/bin/chmod a-w " + m_unix + " && /usr/bin/chattr +i " + m_unix);
    }
    ~ReadOnlyFolder() {
        RunUnixCommand("/usr/bin/chattr -i " + m_unix + " ; /bin/chmod u+w " + m_unix);
    }

private:
    std::string m_unix;
};

std::string Doc(const std::string& format, const std::string& payload) {
    return FolderContents::Doc(format, payload);
}

} // namespace

// A folder that cannot take the log is refused at Start: nothing is converted, no application
// starts, the entry stays for a later Start.
TEST_F(FileFault, ReadOnlyOutputFolderIsRefusedAtStart) {
    WriteDoc("readonly\\甲.doc", "doc", "甲");
    WriteDoc("readonly\\乙.doc", "doc", "乙");
    const std::string out = Output("readonly");
    Add({"readonly"});
    ReadOnlyFolder readOnly(out);
    if (CanWriteInto(out))
        GTEST_SKIP() << "this machine cannot make a folder read-only";

    TandrelApp& app = App();
    ASSERT_TRUE(app.TypeOutputFolder(out)) << app.LastError();
    ASSERT_TRUE(app.PressStart()) << app.LastError();
    ASSERT_TRUE(
        app.AnswerMessageBox("无法在保存路径中创建日志文件,请选择可以写入的目录:\n" + out, IDOK))
        << app.LastError();
    EXPECT_TRUE(FolderContents::Match(out, {}));
    EXPECT_TRUE(app.Enabled(IDC_START) && !app.Enabled(IDC_STOP)) << "no job is running";
    EXPECT_FALSE(app.ListTree().Checked(app.ListTree().DisplayOrder()[0]));
    EXPECT_EQ(0, app.OtherDialogs());
    EXPECT_TRUE(sim.Calls().empty()) << "an application was started";
}

// A locked log loses the lines of its time, and the notice at the end names them; a removed log
// is made again by the next failure.
TEST_F(FileFault, LockedLogLinesAreNamedInTheNoticeAndARemovedLogIsMadeAgain) {
    std::vector<std::string> files;
    for (const char* stem : {"1", "2", "3", "4", "5"}) {
        files.push_back(std::string("log\\") + stem + ".doc");
        WriteDoc(files.back(), "doc", std::string("第") + stem + "份");
    }
    for (const char* failing : {"1.doc", "3.doc", "5.doc"})
        sim.Fault(failing, "save-error:800A1066:磁盘已满");
    for (const char* slow : {"2.doc", "4.doc"})
        sim.Fault(slow, "delay:open:1500");
    Add(files);
    const std::string out = Output("log"), log = mbcs::JoinPath(out, "qorconvert.log");

    Start(out);
    ASSERT_TRUE(App().WaitUntilRunning(1)) << App().LastError();
    EXPECT_EQ(Utf8(LogLine(files[0])), Utf8(ReadFileBytes(log)));
    HANDLE lock = CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    bool running = App().WaitUntilRunning(3);
    CloseHandle(lock);
    ASSERT_TRUE(running) << App().LastError();
    ASSERT_TRUE(DeleteFileA(log.c_str()));
    WaitForEnd(5, 5);
    ExpectNotice(3, out, {files[2]});

    EXPECT_TRUE(FolderContents::Match(out, {{"2.qor", Doc("qor", "第2份")},
                                            {"4.qor", Doc("qor", "第4份")},
                                            {"qorconvert.log", LogLine(files[4])}}));
    ExpectWindow({true, true, true, true, true}, 5, 5, 5);
}

// Files deleted after ">>" counted them: a file entry stays unticked, a folder entry converts what
// is left; the bar stops short by what vanished.
TEST_F(FileFault, SourcesGoneBetweenAddingAndStartAreSkipped) {
    for (const char* name : {"a", "b", "c"})
        WriteDoc(std::string("vanish\\dir\\") + name + ".doc", "doc", name);
    WriteDoc("vanish\\single.doc", "doc", "单");
    Add({"vanish\\dir"});
    Add({"vanish\\single.doc"});
    ASSERT_TRUE(DeleteFileA(Source("vanish\\dir\\b.doc").c_str()));
    ASSERT_TRUE(DeleteFileA(Source("vanish\\single.doc").c_str()));

    const std::string out = Output("vanish");
    Start(out);
    WaitForEnd(2, 4);
    EXPECT_TRUE(FolderContents::Match(out, {{"dir\\", ""},
                                            {"dir\\a.qor", Doc("qor", "a")},
                                            {"dir\\c.qor", Doc("qor", "c")},
                                            {"qorconvert.log", ""}}));
    ExpectWindow({true, false}, 2, 4, 4);
}

// The mirror folder's name is taken by a file: it is used all the same, so every save into it
// and into its sub-folders fails and is logged; the file stays as it was.
TEST_F(FileFault, MirrorNameTakenByAFileFailsEverySaveIntoIt) {
    WriteDoc("taken\\报表\\一.doc", "doc", "一");
    WriteDoc("taken\\报表\\二.doc", "doc", "二");
    WriteDoc("taken\\报表\\子\\三.doc", "doc", "三");
    const std::string out = Output("taken");
    std::ofstream(mbcs::JoinPath(out, "报表"), std::ios::binary) << "不是目录";
    Add({"taken\\报表"});

    Start(out);
    WaitForEnd(3, 3);
    ExpectNotice(3, out);
    std::string log;
    for (const std::string& source : WalkOrder("taken\\报表"))
        log += LogLine(source);
    EXPECT_TRUE(FolderContents::Match(out, {{"报表", "不是目录"}, {"qorconvert.log", log}}));
    ExpectWindow({true}, 3, 3, 3);
}

// An output folder so deep that the mirror of a sub-folder cannot be made: nothing of the
// sub-folder is written anywhere, its document is logged, and the top-level document of the same
// name keeps its result.
TEST_F(FileFault, MirrorThatCannotBeMadeOverwritesNothing) {
    WriteDoc("deep\\Docs\\a.doc", "doc", "上层");
    WriteDoc("deep\\Docs\\b.doc", "doc", "乙");
    WriteDoc("deep\\Docs\\Subfolder1234567\\a.doc", "doc", "下层");
    // Docs can be mirrored in it, Docs\Subfolder1234567 cannot: its path would pass 259.
    std::string out = Output("deep");
    while (240 - out.size() > 100)
        out += "\\" + std::string(99, 'o');
    out += "\\" + std::string(240 - out.size() - 1, 'p');
    ASSERT_EQ(240u, out.size());
    ASSERT_TRUE(CreateDirTree(out.c_str()));
    Add({"deep\\Docs"});

    Start(out);
    WaitForEnd(3, 3);
    ExpectNotice(1, out);
    EXPECT_TRUE(FolderContents::Match(
        out, {{"Docs\\", ""},
              {"Docs\\a.qor", Doc("qor", "上层")},
              {"Docs\\b.qor", Doc("qor", "乙")},
              {"qorconvert.log", LogLine("deep\\Docs\\Subfolder1234567\\a.doc")}}));
    ExpectWindow({true}, 3, 3, 3);
}

// The output folder inside a selected folder: the question; OK skips only that entry (unticked,
// uncounted), Cancel ends the job there and leaves the rest undone.
TEST_F(FileFault, OutputInsideASelectedFolderAsksOkSkipsCancelEnds) {
    WriteDoc("inside\\src\\a.doc", "doc", "a");
    WriteDoc("inside\\src\\b.doc", "doc", "b");
    WriteDoc("inside\\first.doc", "doc", "第一");
    WriteDoc("inside\\second.doc", "doc", "第二");
    const std::string out = MakeFolder("inside\\src\\out");
    const FolderContents::Entries afterFirst = {{"first.qor", Doc("qor", "第一")},
                                                {"qorconvert.log", ""}};

    Add({"inside\\src"});
    Add({"inside\\first.doc"});
    Start(out);
    ASSERT_TRUE(App().AnswerMessageBox(kInsideQuestion, IDOK)) << App().LastError();
    WaitForEnd(1, 3);
    EXPECT_TRUE(FolderContents::Match(out, afterFirst));
    ExpectWindow({false, true}, 1, 3, 3);

    ASSERT_TRUE(App().RemoveAll()) << App().LastError();
    Add({"inside\\src"});
    Add({"inside\\second.doc"});
    Start(out);
    ASSERT_TRUE(App().AnswerMessageBox(kInsideQuestion, IDCANCEL)) << App().LastError();
    WaitForEnd(0, 3);
    EXPECT_TRUE(FolderContents::Match(out, afterFirst)) << "second.doc is not converted";
    ExpectWindow({false, false}, 0, 3, 3);
}

// The output folder typed as a selected folder, in other letter case: every result is written
// beside its source, at every level, with the log among them.
TEST_F(FileFault, OutputEqualToASelectedFolderConvertsBesideTheSources) {
    WriteDoc("same\\docs\\a.doc", "doc", "甲");
    WriteDoc("same\\docs\\sub\\b.doc", "doc", "乙");
    Add({"same\\docs"});
    std::string typed = Source("SAME\\DOCS");
    typed[0] = static_cast<char>(typed[0] - 'A' + 'a');

    Start(typed);
    WaitForEnd(2, 2);
    EXPECT_TRUE(FolderContents::Match(Source("same\\docs"), {{"a.doc", Doc("doc", "甲")},
                                                             {"a.qor", Doc("qor", "甲")},
                                                             {"sub\\", ""},
                                                             {"sub\\b.doc", Doc("doc", "乙")},
                                                             {"sub\\b.qor", Doc("qor", "乙")},
                                                             {"qorconvert.log", ""}}));
    ExpectWindow({true}, 2, 2, 2);
}

// A read-only target from an earlier job: its save fails and is logged, the target stays as it
// was, and the next file converts.
TEST_F(FileFault, ReadOnlyTargetFailsItsSaveAndStaysAsItWas) {
    WriteDoc("rotarget\\docs\\a.doc", "doc", "新的甲");
    WriteDoc("rotarget\\docs\\b.doc", "doc", "新的乙");
    const std::string out = Output("rotarget");
    const std::string old = mbcs::JoinPath(out, "docs\\a.qor");
    CreateDirectoryA(mbcs::JoinPath(out, "docs").c_str(), nullptr);
    OfficeSim::WriteDoc(old, "qor", "旧的甲");
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
    Add({"rotarget\\docs"});

    Start(out);
    WaitForEnd(2, 2);
    ExpectNotice(1, out);
    EXPECT_TRUE(FolderContents::Match(out, {{"docs\\", ""},
                                            {"docs\\a.qor", Doc("qor", "旧的甲")},
                                            {"docs\\b.qor", Doc("qor", "新的乙")},
                                            {"qorconvert.log", LogLine("rotarget\\docs\\a.doc")}}));
    EXPECT_NE(0u, GetFileAttributesA(old.c_str()) & FILE_ATTRIBUTE_READONLY);
    ExpectWindow({true}, 2, 2, 2);
}
