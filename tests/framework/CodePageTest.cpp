#include <gtest/gtest.h>

#include <windows.h>

// Everything multibyte in the program assumes code page 936; a machine without the zh_CN
// locale runs Wine in another code page, and every other result would be meaningless.
TEST(CodePage, AnsiCodePageIs936) {
    EXPECT_EQ(936u, GetACP());
}

TEST(CodePage, LiteralsAreCompiledToGbk) {
    const unsigned char text[] = "文档";
    EXPECT_EQ(0xCE, text[0]);
    EXPECT_EQ(0xC4, text[1]);
    EXPECT_EQ(0xB5, text[2]);
    EXPECT_EQ(0xB5, text[3]);
}
