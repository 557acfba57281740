#include "framework/CFileFind.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<std::string, std::string> ListAll(const std::string& pattern) {
    std::map<std::string, std::string> seen;
    CFileFind finder;
    BOOL working = finder.FindFile(pattern.c_str());
    while (working) {
        working = finder.FindNextFile();
        std::string kind = finder.IsDots() ? "dots" : finder.IsDirectory() ? "dir" : "file";
        if (finder.IsHidden())
            kind += "+hidden";
        seen[finder.GetFileName().str()] = kind + "|" + finder.GetFilePath().str();
    }
    return seen;
}

} // namespace

TEST(FileFind, ListsEveryEntryIncludingTheLastOne) {
    TempDir dir;
    dir.WriteFile("乗.doc");
    dir.WriteFile("嘰\\inner.doc");
    std::string hidden = dir.WriteFile("secret.doc");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    std::map<std::string, std::string> seen = ListAll(dir / "*.*");
    ASSERT_EQ(5u, seen.size());
    EXPECT_EQ("dots|" + (dir / "."), seen["."]);
    EXPECT_EQ("dots|" + (dir / ".."), seen[".."]);
    EXPECT_EQ("file|" + (dir / "乗.doc"), seen["乗.doc"]);
    EXPECT_EQ("dir|" + (dir / "嘰"), seen["嘰"]);
    EXPECT_EQ("file+hidden|" + (dir / "secret.doc"), seen["secret.doc"]);
}

TEST(FileFind, SingleMatchIsReadableAfterFindNextFileReturnsFalse) {
    TempDir dir;
    dir.WriteFile("only.xls");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((dir / "only.xls").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("only.xls", finder.GetFileName());
    EXPECT_FALSE(finder.IsDirectory());
}

TEST(FileFind, NothingFoundAndNothingCurrentBeforeTheFirstStep) {
    TempDir dir;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile((dir / "none*.doc").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    EXPECT_FALSE(finder.IsDirectory());
}
