#include "framework/MbcsText.h"

#include <gtest/gtest.h>

// 乗 is 0x81 0x5C and 嘰 is 0x87 0x5C in GBK: their trail byte is a backslash.
// 癆 is 0xB0 0x41 and 癋 is 0xB0 0x46: their trail byte is a capital letter.

TEST(MbcsFold, LowerChangesOnlySingleByteLetters) {
    std::string s = "C:\\DOCS\\癆癋\\REPORT.DOC";
    mbcs::FoldLower(s);
    EXPECT_EQ("c:\\docs\\癆癋\\report.doc", s);
    EXPECT_EQ('\x41', s[9]) << "trail byte of 癆 must stay a capital A";
}

TEST(MbcsFold, UpperLeavesTrailBytesAlone) {
    std::string s = "a癆b";
    mbcs::FoldUpper(s);
    EXPECT_EQ("A癆B", s);
}

TEST(MbcsCompare, IgnoresCaseOfSingleByteLettersOnly) {
    EXPECT_EQ(0, mbcs::CompareNoCase("D:\\Docs\\癆", "d:\\DOCS\\癆"));
    EXPECT_NE(0, mbcs::CompareNoCase("\xB0\x41", "\xB0\x61"))
        << "癆 must not equal its folded bytes";
    EXPECT_LT(mbcs::CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(mbcs::CompareNoCase("abcd", "ABC"), 0);
    EXPECT_EQ(0, mbcs::CompareNoCase("", ""));
}

TEST(MbcsFind, SeparatorNeverMatchesATrailByte) {
    const std::string path = "C:\\乗\\嘰";
    EXPECT_EQ(2u, mbcs::FindChar(path, '\\'));
    EXPECT_EQ(5u, mbcs::FindChar(path, '\\', 3));
    EXPECT_EQ(mbcs::npos, mbcs::FindChar(path, '\\', 6));
    EXPECT_EQ(5u, mbcs::ReverseFindChar(path, '\\'));
    EXPECT_EQ(mbcs::npos, mbcs::ReverseFindChar("乗嘰", '\\'));
}

TEST(MbcsFind, LetterNeverMatchesATrailByte) {
    EXPECT_EQ(mbcs::npos, mbcs::FindChar("癆", 'A'));
    EXPECT_EQ(2u, mbcs::Find("癆.doc", ".doc"));
    EXPECT_EQ(mbcs::npos, mbcs::Find("\xB0"
                                     "A.doc",
                                     "A.doc"))
        << "match would start inside 癆";
    EXPECT_EQ(0u, mbcs::Find("abc", ""));
}

TEST(MbcsFind, LastCharOffsetSeesDoubleByteCharacters) {
    EXPECT_EQ(3u, mbcs::LastCharOffset("C:\\乗"));
    EXPECT_EQ(2u, mbcs::LastCharOffset("C:\\"));
    EXPECT_EQ(mbcs::npos, mbcs::LastCharOffset(""));
}

TEST(MbcsSplitPath, SplitsDriveFolderNameAndExtensionAtWholeCharacters) {
    const struct {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    } cases[] = {
        {"C:\\文档\\乗\\报告.doc", "C:", "\\文档\\乗\\", "报告", ".doc"},
        {"D:\\嘰", "D:", "\\", "嘰", ""}, // the trail backslash is part of the name
        {"D:\\a\\乗.x\\嘰.lxt", "D:", "\\a\\乗.x\\", "嘰", ".lxt"},
        {"C:\\x.doc\\notes", "C:", "\\x.doc\\", "notes", ""}, // a dot in a folder
        {"archive.tar.gz", "", "", "archive.tar", ".gz"},
        {"C:\\", "C:", "\\", "", ""},
    };
    for (const auto& c : cases) {
        mbcs::PathParts p = mbcs::SplitPath(c.path);
        EXPECT_EQ(c.drive, p.drive) << c.path;
        EXPECT_EQ(c.dir, p.dir) << c.path;
        EXPECT_EQ(c.fname, p.fname) << c.path;
        EXPECT_EQ(c.ext, p.ext) << c.path;
        const char* ext = mbcs::FindExtension(c.path);
        EXPECT_EQ(c.ext, std::string(ext ? ext : "")) << "the same extension in place: " << c.path;
    }
}

TEST(MbcsJoin, InsertsExactlyOneSeparator) {
    EXPECT_EQ("C:\\out\\a", mbcs::JoinPath("C:\\out", "a"));
    EXPECT_EQ("C:\\a", mbcs::JoinPath("C:\\", "a"));
    EXPECT_EQ("C:\\乗\\a", mbcs::JoinPath("C:\\乗", "a")) << "a trail 0x5C is not a separator";
}

TEST(MbcsFind, FindFirstOfSkipsTrailBytes) {
    EXPECT_EQ(mbcs::npos, mbcs::FindFirstOf("乗嘰", "\\/:"));
    EXPECT_EQ(2u, mbcs::FindFirstOf("乗:", "\\/:"));
    EXPECT_EQ(mbcs::npos, mbcs::FindFirstOf("癆", "A"));
}

TEST(MbcsJoin, TrailingSeparatorTestsLookAtWholeCharacters) {
    EXPECT_TRUE(mbcs::EndsWithSeparator("C:\\"));
    EXPECT_FALSE(mbcs::EndsWithSeparator("C:\\乗"));
    EXPECT_FALSE(mbcs::EndsWithSeparator(""));
    EXPECT_EQ("C:\\乗", mbcs::DropTrailingSeparator("C:\\乗"));
    EXPECT_EQ("C:\\乗", mbcs::DropTrailingSeparator("C:\\乗\\"));
}

TEST(MbcsPath, DriveRootIsExactlyLetterColonSeparator) {
    EXPECT_TRUE(mbcs::IsDriveRoot("C:\\"));
    for (const char* path : {"C:", "C:\\a", "C:/", "\\\\", "", "\x81:\\"})
        EXPECT_FALSE(mbcs::IsDriveRoot(path)) << path;
}

TEST(MbcsWide, FromWideGivesCodePage936Bytes) {
    EXPECT_EQ("D:\\\xCE\xC4\xB5\xB5\\\x81\x5C", mbcs::FromWide(L"D:\\\u6587\u6863\\\u4E57"));
    EXPECT_EQ("", mbcs::FromWide(L""));
    EXPECT_EQ("", mbcs::FromWide(nullptr));
}

TEST(MbcsKeepHead, CutsOnlyAfterAWholeCharacter) {
    const std::string text = "ab乗文"; // 乗 takes bytes 2 and 3, its trail byte 0x5C
    const struct {
        size_t maxBytes;
        const char* head;
    } cases[] = {
        {100, "ab乗文"}, {6, "ab乗文"}, {5, "ab乗"}, {4, "ab乗"}, {3, "ab"}, {2, "ab"}, {0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.head, mbcs::KeepHead(text, c.maxBytes)) << c.maxBytes;
}

TEST(MbcsKeepTail, CutsOnlyBeforeAWholeCharacter) {
    const std::string path = "C:\\乗\\a.doc"; // 乗 takes bytes 3 and 4
    const struct {
        size_t maxBytes;
        const char* tail;
    } cases[] = {
        {100, "C:\\乗\\a.doc"}, {8, "乗\\a.doc"}, {7, "\\a.doc"}, // never from the trail 0x5C
        {6, "\\a.doc"},         {0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tail, mbcs::KeepTail(path, c.maxBytes)) << c.maxBytes;
}
