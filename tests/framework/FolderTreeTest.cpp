#include "framework/FolderTree.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(CreateDirTree, CreatesMissingLevelsParentFirstAndStopsAtAFile) {
    TempDir dir;
    dir.WriteFile("file");
    const struct {
        std::string path;
        BOOL created;
        std::string exists; // afterwards
    } cases[] = {
        {dir / "a\\乗\\c", TRUE, dir / "a\\乗\\c"},
        {dir / "b\\", TRUE, dir / "b"},
        {dir / "a\\乗", TRUE, dir / "a\\乗"}, // exists already
        {dir / "file\\x", FALSE, dir / "file"},
        {"tandrel-no-such-folder", FALSE, ""}, // without any "\\" nothing is created
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.created, CreateDirTree(c.path.c_str())) << c.path;
        if (!c.exists.empty()) {
            EXPECT_TRUE(PathExists(c.exists)) << c.path;
        }
    }
    EXPECT_FALSE(PathExists("tandrel-no-such-folder"));
}
