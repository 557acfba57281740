// Names that trip up path handling, through the real program: double-byte characters whose
// second byte is "\" or a letter, paths at and over the length limit, hidden entries, a link
// back to an ancestor, a whole drive, a name with a trailing dot.
#include "FolderContents.h"
#include "ProgramFixture.h"
#include "TandrelcProcess.h"
#include "UiPump.h"
#include "WineHost.h"
#include "framework/MbcsText.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using NameFault = ProgramFixture;

std::string Doc(const std::string& format, const std::string& payload) {
    return FolderContents::Doc(format, payload);
}

// Writes a file under a name the ANSI functions cannot reach (too long, ending in a dot, or with
// characters code page 936 has not): through the wide functions with the "\\?\" prefix, which
// takes a path as it is.
bool WriteWide(const std::wstring& path, const std::string& bytes) {
    const std::wstring prefixed = L"\\\\?\\" + path;
    HANDLE file =
        CreateFileW(prefixed.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return written == bytes.size();
}

bool WriteRaw(const std::string& ansiPath, const std::string& bytes) {
    return WriteWide(mbcs::ToWide(ansiPath), bytes);
}

// Removes what the temporary folder's own clean-up cannot reach (names out of the ANSI
// functions' reach) when the case ends, whatever its result.
struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() { RunUnixCommand("/bin/rm -rf \"" + UnixPathOf(path) + "\""); }
};

} // namespace

// 乗 (81 5C) and 癨 (B0 5C) end in "\"; 監 (B1 4F), 碼 (B4 61) and 癆 (B0 41) end in a letter,
// and a fold that touched the trail byte would turn 癆 into 癮 (B0 61), which sits beside it.
TEST_F(NameFault, GbkNamesWithBackslashOrLetterTrailBytesKeepEveryByte) {
    WriteDoc("名字\\乗監癨\\癆碼.DOC", "doc", "癆碼");
    WriteDoc("名字\\乗監癨\\癮.doc", "doc", "癮");
    WriteDoc("名字\\乗監癨\\碼乗\\癨.doc", "doc", "癨");
    sim.Fault("癨.doc", "save-error:800A1066:磁盘已满");
    Add({"名字\\乗監癨"});
    const std::string out = Output("gbk");

    Start(out);
    WaitForEnd(3, 3);
    ExpectNotice(1, out);
    EXPECT_TRUE(
        FolderContents::Match(out, {{"乗監癨\\", ""},
                                    {"乗監癨\\癆碼.qor", Doc("qor", "癆碼")},
                                    {"乗監癨\\癮.qor", Doc("qor", "癮")},
                                    {"乗監癨\\碼乗\\", ""},
                                    {"qorconvert.log", LogLine("名字\\乗監癨\\碼乗\\癨.doc")}}));
    ExpectWindow({true}, 3, 3, 3);
}

// Sources of 259, 260 and 300 bytes, converted beside themselves so that every target is as long
// as its source. 259 converts. At 260 the application refuses the path (as one on Windows does)
// and the file is logged. 300 is out of the program's reach (its ANSI file functions stop at
// 260): ">>" counts it by its name, and the walk, which cannot open it, logs it.
TEST_F(NameFault, PathsOf259And260And300Bytes) {
    const std::string folder = Source("long") + "\\";
    const std::string at259 = std::string(259 - folder.size() - 4, 'a') + ".doc";
    const std::string at260 = std::string(260 - folder.size() - 4, 'b') + ".doc";
    const std::string deep = std::string(248 - folder.size(), 'c');
    const std::string at300 = deep + "\\" + std::string(300 - 249 - 4, 'd') + ".doc";
    // Written through the test drive: the same files under the temporary folder's longer path
    // would be out of reach.
    RemovedAtEnd removed{MakeFolder("long")};
    OfficeSim::WriteDoc(folder + at259, "doc", "二五九");
    OfficeSim::WriteDoc(folder + at260, "doc", "二六零");
    ASSERT_TRUE(CreateDirectoryA((folder + deep).c_str(), nullptr));
    ASSERT_TRUE(WriteRaw(folder + at300, Doc("doc", "三百")));
    ASSERT_EQ(300u, (folder + at300).size());
    Add({"long"});
    EXPECT_EQ("转换文件数: 3", App().Text(IDC_FILE_COUNT));

    Start(Source("long"));
    WaitForEnd(3, 3);
    ExpectNotice(2, Source("long"));
    const std::string target259 = folder + at259.substr(0, at259.size() - 4) + ".qor";
    EXPECT_EQ(259u, target259.size());
    EXPECT_TRUE(IsDoc(target259, "qor", "二五九"));
    EXPECT_FALSE(PathExists(folder + at260.substr(0, at260.size() - 4) + ".qor"));
    // In the order the walk met them.
    const std::string log = ReadFileBytes(folder + "qorconvert.log");
    const std::string line260 = LogLine("long\\" + at260), line300 = LogLine("long\\" + at300);
    EXPECT_TRUE(log == line260 + line300 || log == line300 + line260) << Utf8(log);
    EXPECT_TRUE(
        FolderContents::Match(folder + deep, {{at300.substr(deep.size() + 1), Doc("doc", "三百")}}))
        << "nothing is written beside the 300-byte source";
    ExpectWindow({true}, 3, 3, 3);
}

// Hidden files are neither counted nor converted, hidden folders neither walked nor mirrored; a
// folder holding only hidden entries is no folder to the job and its entry stays unticked.
TEST_F(NameFault, HiddenFilesAndFoldersAreLeftAlone) {
    WriteDoc("hidden\\docs\\a.doc", "doc", "a");
    WriteDoc("hidden\\docs\\sub\\e.doc", "doc", "e");
    for (const char* hidden : {"hidden\\docs\\藏.doc", "hidden\\docs\\暗\\c.doc",
                               "hidden\\docs\\sub\\d.doc", "hidden\\only\\x.doc"})
        WriteDoc(hidden, "doc", "不该转换");
    for (const char* hidden : {"hidden\\docs\\藏.doc", "hidden\\docs\\暗",
                               "hidden\\docs\\sub\\d.doc", "hidden\\only\\x.doc"})
        ASSERT_TRUE(SetFileAttributesA(Source(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    Add({"hidden\\docs"});
    Add({"hidden\\only"});
    const std::string out = Output("hidden");

    Start(out);
    WaitForEnd(2, 2);
    EXPECT_TRUE(FolderContents::Match(out, {{"docs\\", ""},
                                            {"docs\\a.qor", Doc("qor", "a")},
                                            {"docs\\sub\\", ""},
                                            {"docs\\sub\\e.qor", Doc("qor", "e")},
                                            {"qorconvert.log", ""}}));
    ExpectWindow({true, false}, 2, 2, 2);
}

// A folder link back to an ancestor is counted once and converted once; the link itself is
// neither walked nor mirrored.
TEST_F(NameFault, FolderLinkBackToItsAncestorIsFollowedOnce) {
    WriteDoc("loop\\top\\a.doc", "doc", "a");
    WriteDoc("loop\\top\\sub\\b.doc", "doc", "b");
    const std::string link = Source("loop\\top\\sub\\back");
    ASSERT_TRUE(MakeUnixSymlink(Source("loop\\top"), link));
    struct Unlink {
        std::string link;
        ~Unlink() { RemoveUnixSymlink(link); }
    } unlink{link};
    Add({"loop\\top"});
    EXPECT_EQ("转换文件数: 2", App().Text(IDC_FILE_COUNT));
    const std::string out = Output("loop");

    Start(out);
    WaitForEnd(2, 2);
    EXPECT_TRUE(FolderContents::Match(out, {{"top\\", ""},
                                            {"top\\a.qor", Doc("qor", "a")},
                                            {"top\\sub\\", ""},
                                            {"top\\sub\\b.qor", Doc("qor", "b")},
                                            {"qorconvert.log", ""}}));
    ExpectWindow({true}, 2, 2, 2);
}

// A whole drive selected: the entry reads "X:", the root's files go straight into the output
// folder and its sub-folders are mirrored there (a root has no name to mirror).
TEST_F(NameFault, SelectedDriveRootConvertsStraightIntoTheOutputFolder) {
    TempDir content("faults-root");
    OfficeSim::WriteDoc(content.WriteFile("r.doc"), "doc", "根");
    OfficeSim::WriteDoc(content.WriteFile("sub\\s.doc"), "doc", "子");
    TestDrive root(content.path(), DRIVE_FIXED);
    ASSERT_TRUE(root.ok()) << "no drive letter from the mount manager";
    // The computer folder was read when the program started: read it again.
    TandrelApp& app = App();
    RemoteTree& tree = app.SourceTree();
    HTREEITEM computer = tree.Parent(tree.Find("(" + Drive().root().substr(0, 2) + ")", false));
    ASSERT_NE(nullptr, computer);
    ASSERT_TRUE(app.Collapse(computer) && app.Expand(computer)) << app.LastError();
    HTREEITEM drive = tree.Find("(" + root.root().substr(0, 2) + ")", false);
    ASSERT_NE(nullptr, drive) << "the new drive is not under the computer folder";
    ASSERT_TRUE(app.Select(tree, drive)) << app.LastError();
    ASSERT_TRUE(app.AddSelected(1)) << app.LastError();
    EXPECT_EQ(root.root().substr(0, 2), app.ListTree().Text(app.ListTree().DisplayOrder()[0]));
    const std::string out = Output("root");

    Start(out);
    WaitForEnd(2, 2);
    EXPECT_TRUE(FolderContents::Match(out, {{"r.qor", Doc("qor", "根")},
                                            {"sub\\", ""},
                                            {"sub\\s.qor", Doc("qor", "子")},
                                            {"qorconvert.log", ""}}));
    ExpectWindow({true}, 2, 2, 2);
    ASSERT_TRUE(app.RemoveAll()) << app.LastError();
}

// Windows drops a trailing dot from every name it is given, so "坏名.doc." cannot be reached
// under its own name: the tree does not show it, ">>" does not count it, the job passes it by.
TEST_F(NameFault, NameWithATrailingDotIsPassedBy) {
    WriteDoc("dots\\好.doc", "doc", "好");
    RemovedAtEnd removed{Source("dots")};
    ASSERT_TRUE(WriteRaw(Source("dots\\坏名.doc."), Doc("doc", "坏")));
    TandrelApp& app = App();
    HTREEITEM dots = SourceItem("dots");
    ASSERT_NE(nullptr, dots);
    ASSERT_TRUE(app.Expand(dots)) << app.LastError();
    EXPECT_NE(nullptr, app.SourceTree().Child(dots, "好.doc"));
    EXPECT_EQ(nullptr, app.SourceTree().Find("坏名", false)) << "the tree shows the dotted name";
    Add({"dots"});
    const std::string out = Output("dots");

    Start(out);
    WaitForEnd(1, 1);
    EXPECT_TRUE(FolderContents::Match(
        out, {{"dots\\", ""}, {"dots\\好.qor", Doc("qor", "好")}, {"qorconvert.log", ""}}));
    ExpectWindow({true}, 1, 1, 1);
}

// Names with characters code page 936 has not (Korean, an Extension A character) come back from
// the ANSI listing with "?" and cannot be opened: each such document, and such a folder once, is
// a failure in the log, the count, the notice and tandrelc's summary, which names them in full.
TEST_F(NameFault, NamesTheCodePageCannotHoldAreLoggedCountedAndNamed) {
    WriteDoc("unheld\\普通.doc", "doc", "普通");
    const std::wstring folder = mbcs::ToWide(Source("unheld")) + L"\\";
    const std::wstring unheld[] = {folder + L"\uD55C\uAD6D.doc", folder + L"\u4DAE\u540D.doc",
                                   folder + L"\uD55C\uAE00"};
    ASSERT_TRUE(WriteWide(unheld[0], Doc("doc", "korean")));
    ASSERT_TRUE(WriteWide(unheld[1], Doc("doc", "ext-a")));
    ASSERT_TRUE(CreateDirectoryW(unheld[2].c_str(), nullptr));
    ASSERT_TRUE(WriteWide(unheld[2] + L"\\" + mbcs::ToWide("文.doc"), Doc("doc", "inside")));
    RemovedAtEnd removed{Source("unheld")};
    const std::vector<std::string> logged = {LogLine("unheld\\??.doc"), LogLine("unheld\\?名.doc"),
                                             LogLine("unheld\\??")};
    auto expectLog = [&](const std::string& out) {
        std::string log = ReadFileBytes(mbcs::JoinPath(out, "qorconvert.log"));
        for (const std::string& line : logged) {
            EXPECT_NE(std::string::npos, log.find(line)) << Utf8(line);
            log.erase(log.find(line) == std::string::npos ? 0 : log.find(line), line.size());
        }
        EXPECT_EQ("", log) << "three lines and nothing else";
        EXPECT_TRUE(IsDoc(mbcs::JoinPath(out, "unheld\\普通.qor"), "qor", "普通"));
    };

    Add({"unheld"});
    EXPECT_EQ("转换文件数: 4", App().Text(IDC_FILE_COUNT)) << "what the job will meet";
    const std::string out = Output("unheld");
    Start(out);
    WaitForEnd(4, 4);
    ExpectNotice(3, out);
    expectLog(out);
    ExpectWindow({true}, 4, 4, 4);

    for (TandrelcProcess::Console console :
         {TandrelcProcess::REDIRECTED, TandrelcProcess::OWN_CONSOLE}) {
        SCOPED_TRACE(console);
        const std::string cliOut = Output(console == TandrelcProcess::REDIRECTED ? "cli" : "con");
        const std::string report = Drive().root() + "unheld-report.csv";
        RemovedAtEnd reportRemoved{report};
        const bool redirected = console == TandrelcProcess::REDIRECTED;
        TandrelcProcess run;
        ASSERT_TRUE(run.Start("/kind:doc unheld /out:" + cliOut +
                                  (redirected ? " /report:" + report : std::string()),
                              Drive().root(), console));
        EXPECT_EQ(1, run.Wait());
        expectLog(cliOut);
        if (redirected) {
            // The report is UTF-8: it holds the real names, not the "?" of the log.
            const std::string rows = ReadFileBytes(report);
            for (const char* row : {u8"unheld\\\uD55C\uAD6D.doc,,not-reachable,,,0\r\n",
                                    u8"unheld\\\u4DAE\u540D.doc,,not-reachable,,,0\r\n",
                                    u8"unheld\\\uD55C\uAE00,,not-reachable,,,0\r\n"})
                EXPECT_NE(std::string::npos, rows.find(row)) << rows;
            EXPECT_NE(std::string::npos,
                      run.Out().find("已转换 converted: 1, 失败 failed: 3, 跳过 skipped: 0"))
                << Utf8(run.Out());
            // The stream stays code page 936: what it cannot hold is marked, never a "?".
            for (const char* marked :
                 {"unheld\\<U+D55C><U+AD6D>.doc\r\n", "unheld\\<U+4DAE>名.doc\r\n",
                  "unheld\\<U+D55C><U+AE00>\r\n"})
                EXPECT_NE(std::string::npos, run.Err().find(marked)) << Utf8(run.Err());
        } else {
            const std::wstring shown = run.ConsoleText(25);
            for (const std::wstring& name : unheld)
                EXPECT_NE(std::wstring::npos, shown.find(name)) << Utf8(mbcs::FromWideMarked(name));
        }
    }
}
