#include "convert/CConverter.h"

#include "TempDir.h"
#include "TestDrive.h"

#include <gtest/gtest.h>

TEST(ExtensionMap, MapsTheEightSourceExtensionsWhateverTheirCase) {
    EXPECT_STREQ(".qor", CConverter::MapExtension(".DOC"));
    EXPECT_STREQ(".qot", CConverter::MapExtension(".dot"));
    EXPECT_STREQ(".lx", CConverter::MapExtension(".Xls"));
    EXPECT_STREQ(".lxt", CConverter::MapExtension(".xlt"));
    EXPECT_STREQ(".doc", CConverter::MapExtension(".qor"));
    EXPECT_STREQ(".dot", CConverter::MapExtension(".QOT"));
    EXPECT_STREQ(".xls", CConverter::MapExtension(".lx"));
    EXPECT_STREQ(".xlt", CConverter::MapExtension(".lxt"));
    EXPECT_STREQ("", CConverter::MapExtension(".txt"));
    EXPECT_STREQ("", CConverter::MapExtension(".do"));
    EXPECT_STREQ("", CConverter::MapExtension(""));
}

TEST(TargetName, KeepsTheBaseNameAndLowerCasesTheNewExtension) {
    EXPECT_STREQ("Report.qot", CConverter::MakeTargetName("D:\\a\\Report.Dot"));
    EXPECT_STREQ("notes", CConverter::MakeTargetName("D:\\a\\notes"));
    EXPECT_STREQ("z", CConverter::MakeTargetName("D:\\a\\z.do"));
    EXPECT_STREQ("报告癆.lx", CConverter::MakeTargetName("D:\\乗\\报告癆.XLS"));
    EXPECT_STREQ("嘰.doc", CConverter::MakeTargetName("D:\\x.y\\嘰.qor")) << "a trail 0x5C splits nothing";
}

TEST(FolderName, IsTheLastComponentWithoutItsTrailingSeparator) {
    EXPECT_STREQ("Old", CConverter::GetFolderName("C:\\Docs\\Old"));
    EXPECT_STREQ("Docs", CConverter::GetFolderName("C:\\Docs\\"));
    EXPECT_STREQ("C:", CConverter::GetFolderName("C:\\"));
    EXPECT_STREQ("乗", CConverter::GetFolderName("C:\\文档\\乗"));
    EXPECT_STREQ("嘰", CConverter::GetFolderName("C:\\嘰\\")) << "only the real separator is dropped";
    EXPECT_STREQ("plain", CConverter::GetFolderName("plain"));
}

TEST(SubFolder, OutputInsideSourceIsDetectedByWholeComponents) {
    EXPECT_TRUE(CConverter::IsSubFolder("D:\\Docs", "D:\\Docs\\Out"));
    EXPECT_TRUE(CConverter::IsSubFolder("d:\\docs", "D:\\DOCS\\out"));
    EXPECT_FALSE(CConverter::IsSubFolder("D:\\Docs", "D:\\Docs2"));
    EXPECT_TRUE(CConverter::IsSubFolder("C:\\", "C:\\Out"));
    EXPECT_TRUE(CConverter::IsSubFolder("D:\\Docs", "D:\\Docs\\"));
    EXPECT_FALSE(CConverter::IsSubFolder("D:\\Docs\\Out", "D:\\Docs"));
    EXPECT_TRUE(CConverter::IsSubFolder("D:\\乗", "D:\\乗\\out"));
    EXPECT_FALSE(CConverter::IsSubFolder("D:\\癆", "D:\\癩\\out")) << "癆 B0 41 vs 癩: no trail-byte folding";
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

TEST(FolderEntries, DriveRootIsListedWithoutADoubledSeparator) {
    TempDir dir;
    TestDrive drive(dir.path(), DRIVE_FIXED);
    ASSERT_TRUE(drive.ok());
    EXPECT_FALSE(CConverter::FolderHasEntries(drive.root().c_str()));
    dir.WriteFile("a.doc");
    EXPECT_TRUE(CConverter::FolderHasEntries(drive.root().c_str()));
}

TEST(SourceFiles, ExtensionIsSearchedInTheTypesListText) {
    TempDir dir;
    for (const char* name : {"x.DOC", "y.dot", "z.do", "w.d", "x.docx", "x.txt", "noext", "q.qo", "s.XL", "乗.xlt"})
        dir.WriteFile(name);
    auto source = [&](const char* name, int type) { return CConverter::IsSourceFile((dir / name).c_str(), type); };
    EXPECT_TRUE(source("x.DOC", 3));
    EXPECT_TRUE(source("y.dot", 3));
    EXPECT_TRUE(source("z.do", 3));
    EXPECT_TRUE(source("w.d", 3));
    EXPECT_FALSE(source("x.docx", 3));
    EXPECT_FALSE(source("x.txt", 3));
    EXPECT_FALSE(source("noext", 3));
    EXPECT_FALSE(source("x.DOC", 1)) << "not of the word processor's other direction";
    EXPECT_TRUE(source("q.qo", 1));
    EXPECT_TRUE(source("s.XL", 4));
    EXPECT_TRUE(source("乗.xlt", 4));
    EXPECT_FALSE(source("x.DOC", 0));
    EXPECT_FALSE(source("x.DOC", 5));
    EXPECT_FALSE(source("gone.doc", 3)) << "a file that does not exist";
}

TEST(SubFolderCreation, FallsBackToTheParentOnAnyFailure) {
    TempDir dir;
    EXPECT_STREQ((dir / "新建").c_str(), CConverter::MakeSubFolder(dir.path().c_str(), "新建"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
              GetFileAttributesA((dir / "新建").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ(dir.path().c_str(), CConverter::MakeSubFolder(dir.path().c_str(), "新建")) << "exists already";
    EXPECT_STREQ(dir.path().c_str(), CConverter::MakeSubFolder(dir.path().c_str(), "C:"));
}
