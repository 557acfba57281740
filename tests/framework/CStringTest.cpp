#include "framework/CString.h"

#include "res/resource.h"

#include <gtest/gtest.h>

TEST(CStringSearch, FindAndReverseFindAreCharacterAware) {
    CString path("D:\\乗\\文档\\嘰");
    EXPECT_EQ(2, path.Find('\\'));
    EXPECT_EQ(10, path.ReverseFind('\\'));
    EXPECT_EQ(5, path.Find("\\文档"));
    EXPECT_EQ(-1, path.Find("\\", 11));
    EXPECT_EQ(-1, path.Find('x', -1));
}

TEST(CStringParts, LeftMidRightClampToTheText) {
    CString s("abcdef");
    EXPECT_EQ(CString("abc"), s.Left(3));
    EXPECT_EQ(CString("abcdef"), s.Left(99));
    EXPECT_EQ(CString(""), s.Left(-1));
    EXPECT_EQ(CString("cdef"), s.Mid(2));
    EXPECT_EQ(CString("cd"), s.Mid(2, 2));
    EXPECT_EQ(CString(""), s.Mid(9));
    EXPECT_EQ(CString("ef"), s.Right(2));
    EXPECT_EQ(CString("abcdef"), s.Right(10));
}

TEST(CStringCase, MakeLowerAndCompareNoCase) {
    CString s("REPORT癆.DOC");
    s.MakeLower();
    EXPECT_STREQ("report癆.doc", s);
    EXPECT_EQ(0, CString("D:\\Docs").CompareNoCase("d:\\docs"));
    EXPECT_NE(0, CString("D:\\Docs\\").CompareNoCase("d:\\docs"));
    EXPECT_LT(CString("a").Compare("b"), 0);
}

TEST(CStringBuild, FormatConcatenationAndComparison) {
    CString count;
    count.Format("转换文件数: %d", 42);
    EXPECT_STREQ("转换文件数: 42", count);
    CString long_text;
    long_text.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(5000, long_text.GetLength());

    CString a("C:");
    a += "\\";
    a += CString("dir");
    a += '\\';
    EXPECT_STREQ("C:\\dir\\", a);
    EXPECT_TRUE(a + "x" == "C:\\dir\\x");
    EXPECT_TRUE("pre" + a == CString("preC:\\dir\\"));
    EXPECT_TRUE(CString() == "");
    EXPECT_TRUE(CString("a") != "b");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CStringBuffer, GetBufferReleaseBufferTrimsAtTheZero) {
    CString s;
    char* buf = s.GetBuffer(260);
    strcpy(buf, "C:\\文档");
    s.ReleaseBuffer();
    EXPECT_EQ(7, s.GetLength());
    EXPECT_STREQ("C:\\文档", s);
}

TEST(CStringResource, LoadStringGivesCodePage936Text) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_ABOUTBOX));
    EXPECT_STREQ("关于 Tandrel(&A)...", s);
    ASSERT_TRUE(s.LoadString(ID_DIR_OFFICE_TO_QOR));
    EXPECT_STREQ("MS Office文件转为OrvaneQor Office文件", s);
    EXPECT_FALSE(s.LoadString(4242));
    EXPECT_TRUE(s.IsEmpty());
}
