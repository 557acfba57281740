#include "framework/CExtensionList.h"

#include <gtest/gtest.h>

// 皘 is 0xB0 0x7C in GBK: its trail byte is "|"; 癆 is 0xB0 0x41, its trail byte a capital.

TEST(ExtensionList, OnlyAWholeEntryMatchesWhateverItsSingleByteCase) {
    const CExtensionList list = CExtensionList::FromList(".doc|.dot|.癆");
    const CExtensionList filter =
        CExtensionList::FromFilter("Word文件 (*.doc;*.dot)|*.doc;*.dot||");
    const struct {
        const char* ext;
        bool match;
    } cases[] = {
        {".doc", true},   {".DOC", true}, {".Dot", true}, {".do", false}, {".d", false},
        {".docx", false}, {".", false},   {"", false},    {"doc", false}, {".doc|", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.match, list.Contains(c.ext)) << "list: \"" << c.ext << "\"";
        EXPECT_EQ(c.match, filter.Contains(c.ext)) << "filter: \"" << c.ext << "\"";
    }
    EXPECT_TRUE(list.Contains(".癆"));
    EXPECT_FALSE(list.Contains(".\xB0\x61")) << "癆's trail byte is never folded";
}

TEST(ExtensionList, AFilterMatchesItsPatternsNeverItsDescriptions) {
    const CExtensionList filter =
        CExtensionList::FromFilter("皘文件 (*.txt)|*.doc;*.Dot|旧 (*.xls)|*.lx||");
    for (const char* path : {"C:\\a\\b.doc", "b.DOT", "C:\\x.y\\乗.lx"})
        EXPECT_TRUE(filter.MatchesPath(path)) << path;
    for (const char* path : {"C:\\a.txt", "b.xls", "C:\\x.doc\\notes", "C:\\a\\b.doc.", "lx"})
        EXPECT_FALSE(filter.MatchesPath(path)) << path;
    EXPECT_FALSE(CExtensionList::FromFilter("").MatchesPath("a.doc"));
    EXPECT_FALSE(CExtensionList::FromList(nullptr).MatchesPath("a.doc"));
}
