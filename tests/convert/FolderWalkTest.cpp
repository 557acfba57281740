#include "EngineFixture.h"

#include "TestDrive.h"
#include "WineHost.h"

using namespace journal;

namespace {

void Hide(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

bool IsFolder(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TEST_F(EngineTest, WalkMirrorsEveryVisibleFolderDepthFirstAndSkipsHiddenEntries) {
    Doc("Docs\\a.doc", "甲");
    Doc("Docs\\sub\\b.dot", "乙");
    dir.MakeDir("Docs\\sub\\empty");
    Doc("Docs\\乗\\嘰.doc", "丁");
    Doc("Docs\\癆癋\\x.doc", "戊");
    Doc("Docs\\c.DOC", "丙");
    dir.WriteFile("Docs\\notes.txt");
    Hide(Doc("Docs\\secret.doc"));
    Doc("Docs\\hidden\\h.doc");
    Hide(dir / "Docs\\hidden");
    std::string out = dir.MakeDir("out");

    CConverter& conv = Converter();
    EXPECT_TRUE(conv.ConvertFolder((dir / "Docs").c_str(), out.c_str(), CT_WORD_TO_QOR))
        << "a walk that was not stopped is complete";

    std::string mirror = out + "\\Docs";
    EXPECT_TRUE(IsDoc(mirror + "\\sub\\b.qot", "qot", "乙"));
    EXPECT_TRUE(PathExists(mirror + "\\a.qor"));
    EXPECT_TRUE(PathExists(mirror + "\\c.qor"));
    EXPECT_TRUE(PathExists(mirror + "\\乗\\嘰.qor"));
    EXPECT_TRUE(PathExists(mirror + "\\癆癋\\x.qor"));
    EXPECT_TRUE(IsFolder(mirror + "\\sub\\empty")) << "every visible folder gets its mirror";
    EXPECT_FALSE(PathExists(mirror + "\\hidden"));
    EXPECT_FALSE(PathExists(mirror + "\\secret.qor"));
    EXPECT_FALSE(PathExists(mirror + "\\notes"));

    std::vector<std::string> expected;
    AppendWalkOrder(dir / "Docs", expected);
    EXPECT_EQ(expected, OpenedSources(sim.Calls()));
    EXPECT_EQ(5, owner.FilesDone()) << "one progress step per converted file";
}

TEST_F(EngineTest, AnExistingMirrorIsReusedAndNeverNested) {
    Doc("Work\\Docs\\a.doc");
    Doc("Work\\Docs\\sub\\b.doc");
    CConverter& conv = Converter();
    conv.ConvertFolder((dir / "Work\\Docs").c_str(), (dir / "work").c_str(), CT_WORD_TO_QOR);
    EXPECT_TRUE(PathExists(dir / "Work\\Docs\\a.qor"));
    EXPECT_TRUE(PathExists(dir / "Work\\Docs\\sub\\b.qor"));
    EXPECT_FALSE(PathExists(dir / "Work\\Docs\\Docs")) << "the folder is its own mirror";

    // A mirror left by an earlier job, with its results, takes this job's results too.
    std::string earlier = dir.WriteFile("out\\Docs\\sub\\old.qot", "earlier");
    conv.ConvertFolder((dir / "Work\\Docs").c_str(), (dir / "out").c_str(), CT_WORD_TO_QOR);
    EXPECT_TRUE(PathExists(dir / "out\\Docs\\a.qor"));
    EXPECT_TRUE(PathExists(dir / "out\\Docs\\sub\\b.qor"));
    EXPECT_EQ("earlier", ReadFileBytes(earlier));
    EXPECT_FALSE(PathExists(dir / "out\\Docs\\Docs"));
}

TEST_F(EngineTest, MirrorNameTakenByAFileFailsEverySaveAndLogsIt) {
    std::string a = Doc("Docs\\a.doc");
    std::string out = dir.MakeDir("out");
    dir.WriteFile("out\\Docs", "a file, not a folder");
    CConverter& conv = Converter(out);
    conv.ConvertFolder((dir / "Docs").c_str(), out.c_str(), CT_WORD_TO_QOR);
    EXPECT_EQ(LogLine(a), Log(out));
    EXPECT_EQ("a file, not a folder", ReadFileBytes(out + "\\Docs"));
    EXPECT_EQ(1, owner.FilesDone()) << "a failed file still counts as processed";
}

TEST_F(EngineTest, StopEndsTheWalkAfterTheCurrentFileAtEveryLevel) {
    // Docs holds two folders of two files each: whatever the listing order, Stop is pressed at a
    // file in a sub-folder that holds another file, and Docs holds another folder.
    for (const char* name :
         {"Docs\\A\\a1.doc", "Docs\\A\\a2.doc", "Docs\\B\\b1.doc", "Docs\\B\\b2.doc"})
        Doc(name);
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    owner.onMessage = [&](const OwnerWindow::Message&) { conv.m_bRunning = 0; };
    EXPECT_FALSE(conv.ConvertFolder((dir / "Docs").c_str(), out.c_str(), CT_WORD_TO_QOR))
        << "a stopped walk is not complete";
    EXPECT_EQ(1, owner.FilesDone());
    EXPECT_EQ(1u, OpenedSources(sim.Calls()).size());

    owner.onMessage = nullptr;
    conv.ConvertFolder((dir / "Docs").c_str(), (dir / "again").c_str(), CT_WORD_TO_QOR);
    EXPECT_FALSE(PathExists(dir / "again\\Docs")) << "a stopped converter creates no folder";
}

TEST_F(EngineTest, LinkBackToAnAncestorIsNotWalkedAgain) {
    Doc("Docs\\a.doc");
    Doc("Docs\\inner\\b.doc");
    ASSERT_TRUE(MakeUnixSymlink(dir / "Docs", dir / "Docs\\inner\\loop"));
    ASSERT_TRUE(IsFolder(dir / "Docs\\inner\\loop\\inner")) << "the link shows as a folder";
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    conv.ConvertFolder((dir / "Docs").c_str(), out.c_str(), CT_WORD_TO_QOR);
    EXPECT_EQ(2u, OpenedSources(sim.Calls()).size());
    EXPECT_TRUE(PathExists(out + "\\Docs\\inner\\b.qor"));
    EXPECT_FALSE(PathExists(out + "\\Docs\\inner\\loop"));
}

TEST_F(EngineTest, DriveRootResultsGoStraightIntoTheOutputFolder) {
    Doc("drive\\r.doc", "根");
    Doc("drive\\sub\\s.doc", "子");
    TestDrive drive(dir / "drive", DRIVE_FIXED);
    ASSERT_TRUE(drive.ok());
    std::string out = dir.MakeDir("out");
    CConverter& conv = Converter();
    // No path is no folder: "" must not walk the current drive's root.
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(drive.root().c_str());
    conv.ConvertFolder("", out.c_str(), CT_WORD_TO_QOR);
    SetCurrentDirectoryA(cwd);
    EXPECT_TRUE(sim.Calls().empty());

    conv.ConvertFolder(drive.root().c_str(), out.c_str(), CT_WORD_TO_QOR);
    EXPECT_TRUE(PathExists(out + "\\r.qor"));
    EXPECT_TRUE(PathExists(out + "\\sub\\s.qor"));
    EXPECT_FALSE(PathExists(mbcs::JoinPath(out, drive.root().substr(0, 2))));
}

TEST_F(EngineTest, PathsBeyondTheLimitFailCleanly) {
    std::string deep = mbcs::JoinPath(std::string(120, 'd'), std::string(120, 'e'));
    std::string a = Doc("Docs\\" + deep.substr(0, 100) + ".doc");
    std::string out = dir.MakeDir(deep);
    ASSERT_GT(out.size() + 6 + 100, 260u);
    CConverter& conv = Converter();
    conv.SetLogFolder(out.c_str());
    conv.ConvertFolder((dir / "Docs").c_str(), out.c_str(), CT_WORD_TO_QOR);
    EXPECT_EQ(1, owner.FilesDone()) << "the walk finished and counted the file";
}
