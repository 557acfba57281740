#include "convert/CConverter.h"

#include "TempDir.h"
#include "TestDrive.h"
#include "UiPump.h"

#include <gtest/gtest.h>

TEST(ExtensionMap, MapsTheEightSourceExtensionsWhateverTheirCase) {
    const char* const cases[][2] = {{".DOC", ".qor"}, {".dot", ".qot"}, {".Xls", ".lx"},
                                    {".xlt", ".lxt"}, {".qor", ".doc"}, {".QOT", ".dot"},
                                    {".lx", ".xls"},  {".lxt", ".xlt"}, {".txt", ""},
                                    {".do", ""},      {"", ""}};
    for (const auto& c : cases)
        EXPECT_STREQ(c[1], CConverter::MapExtension(c[0])) << c[0];
}

TEST(TargetName, KeepsTheBaseNameAndLowerCasesTheNewExtension) {
    // 乗 and 嘰 end in 0x5C, 癆 in a capital letter: neither splits nor folds.
    const char* const cases[][2] = {{"D:\\a\\Report.Dot", "Report.qot"},
                                    {"D:\\a\\notes", "notes"},
                                    {"D:\\a\\z.do", "z"},
                                    {"D:\\乗\\报告癆.XLS", "报告癆.lx"},
                                    {"D:\\x.y\\嘰.qor", "嘰.doc"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c[1], CConverter::MakeTargetName(c[0])) << Utf8(c[0]);
}

TEST(FolderName, IsTheLastComponentWithoutItsTrailingSeparator) {
    const char* const cases[][2] = {{"C:\\Docs\\Old", "Old"}, {"C:\\Docs\\", "Docs"},
                                    {"C:\\", "C:"},           {"C:\\文档\\乗", "乗"},
                                    {"C:\\嘰\\", "嘰"},       {"plain", "plain"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c[1], CConverter::GetFolderName(c[0])) << Utf8(c[0]);
}

TEST(SubFolder, OutputInsideSourceIsDetectedByWholeComponents) {
    const struct {
        const char* source;
        const char* output;
        bool inside;
    } cases[] = {
        {"D:\\Docs", "D:\\Docs\\Out", true},
        {"d:\\docs", "D:\\DOCS\\out", true},
        {"D:\\Docs", "D:\\Docs2", false},
        {"C:\\", "C:\\Out", true},
        {"D:\\Docs", "D:\\Docs\\", true},
        {"D:\\Docs\\Out", "D:\\Docs", false},
        {"D:\\乗", "D:\\乗\\out", true},
        {"D:\\乗", "D:\\乗x", false},     // 乗 ends in 0x5C, which is no separator
        {"D:\\癆", "D:\\癮\\out", false}, // 癆 B0 41 and 癮 B0 61: no trail-byte folding
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.inside, CConverter::IsSubFolder(c.source, c.output) != FALSE)
            << Utf8(c.source) << " / " << Utf8(c.output);
}

TEST(FolderEntries, OnlyVisibleEntriesMakeAFolder) {
    TempDir dir;
    std::string empty = dir.MakeDir("empty");
    std::string hiddenOnly = dir.MakeDir("hidden-only");
    std::string secret = dir.WriteFile("hidden-only\\secret.doc");
    SetFileAttributesA(secret.c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::string full = dir.WriteFile("乗\\a.doc");
    EXPECT_FALSE(CConverter::FolderHasEntries(empty.c_str()));
    EXPECT_FALSE(CConverter::FolderHasEntries(hiddenOnly.c_str()));
    EXPECT_FALSE(CConverter::FolderHasEntries(full.c_str())) << "a file is no folder";
    EXPECT_FALSE(CConverter::FolderHasEntries((dir / "missing").c_str()));
    EXPECT_TRUE(CConverter::FolderHasEntries((dir / "乗").c_str()));
    dir.MakeDir("only-sub\\inner");
    EXPECT_TRUE(CConverter::FolderHasEntries((dir / "only-sub").c_str()));
}

TEST(FolderEntries, DriveRootIsListedWithoutADoubledSeparatorAndNoPathIsNoFolder) {
    TempDir dir;
    TestDrive drive(dir.path(), DRIVE_FIXED);
    ASSERT_TRUE(drive.ok());
    EXPECT_FALSE(CConverter::FolderHasEntries(drive.root().c_str()));
    dir.WriteFile("a.doc");
    EXPECT_TRUE(CConverter::FolderHasEntries(drive.root().c_str()));
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(drive.root().c_str());
    EXPECT_FALSE(CConverter::FolderHasEntries("")) << "not the current drive's root";
    SetCurrentDirectoryA(cwd);
}

TEST(SourceFiles, ExtensionIsAWholeEntryOfTheTypesList) {
    TempDir dir;
    for (const char* name : {"x.DOC", "y.Dot", "z.do", "w.d", "x.docx", "x.txt", "noext", "q.qo",
                             "s.XL", "乗.xlt", "癆.lx"})
        dir.WriteFile(name);
    const struct {
        const char* name;
        int type;
        bool source;
    } cases[] = {
        {"x.DOC", 3, true},   {"y.Dot", 3, true},  {"z.do", 3, false},  {"w.d", 3, false},
        {"x.docx", 3, false}, {"x.txt", 3, false}, {"noext", 3, false}, {"x.DOC.", 3, false},
        {"x.DOC", 1, false},  {"q.qo", 1, false},  {"s.XL", 4, false},  {"乗.xlt", 4, true},
        {"癆.lx", 2, true},   {"x.DOC", 0, false}, {"x.DOC", 5, false}, {"gone.doc", 3, false},
        {"*.DOC", 3, false},  {"?.dot", 3, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.source, CConverter::IsSourceFile((dir / c.name).c_str(), c.type) != FALSE)
            << Utf8(c.name) << " as type " << c.type << " (a pattern names no file)";
}

// A folder that cannot be made is no folder: never its parent, whose results it would overwrite.
TEST(SubFolderCreation, GivesNoFolderOnAnyFailure) {
    TempDir dir;
    EXPECT_STREQ((dir / "新建").c_str(), CConverter::MakeSubFolder(dir.path().c_str(), "新建"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesA((dir / "新建").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ("", CConverter::MakeSubFolder(dir.path().c_str(), "新建")) << "exists already";
    EXPECT_STREQ("", CConverter::MakeSubFolder(dir.path().c_str(), "C:"));
}
