#include "convert/CAutomationBridge.h"

#include "FailureLog.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(LogPath, JoinsTheFolderWithExactlyOneSeparator) {
    CAutomationBridge bridge;
    bridge.SetLogFolder("D:\\Out");
    EXPECT_STREQ("D:\\Out\\qorconvert.log", bridge.GetLogPath());
    bridge.SetLogFolder("D:\\Out\\");
    EXPECT_STREQ("D:\\Out\\qorconvert.log", bridge.GetLogPath());
    bridge.SetLogFolder("D:\\");
    EXPECT_STREQ("D:\\qorconvert.log", bridge.GetLogPath());
    bridge.SetLogFolder("D:\\乗");
    EXPECT_STREQ("D:\\乗\\qorconvert.log", bridge.GetLogPath())
        << "乗 ends in 0x5C but is no separator";
}

TEST(LogFile, ClearCreatesAnEmptyFileAndEmptiesAnOldOne) {
    TempDir dir;
    CAutomationBridge bridge;
    bridge.SetLogFolder(dir.path().c_str());
    EXPECT_TRUE(bridge.ClearLog());
    ASSERT_TRUE(PathExists(dir / "qorconvert.log"));
    EXPECT_EQ("", ReadFileBytes(dir / "qorconvert.log"));
    EXPECT_TRUE(bridge.LogFailure("C:\\a.doc"));
    bridge.ClearLog();
    EXPECT_EQ("", ReadFileBytes(dir / "qorconvert.log"));
}

TEST(LogFile, EachFailureIsOneCrLfLineInCodePage936) {
    TempDir dir;
    CAutomationBridge bridge;
    bridge.SetLogFolder((dir.path() + "\\").c_str());
    bridge.ClearLog();
    EXPECT_TRUE(bridge.LogFailure("D:\\文档\\乗\\报告.doc"));
    EXPECT_TRUE(bridge.LogFailure("D:\\b.xls"));
    const std::string expected =
        "D:\\\xCE\xC4\xB5\xB5\\\x81\x5C\\\xB1\xA8\xB8\xE6.doc  \xD7\xAA\xBB\xBB\xCA\xA7\xB0\xDC\r\n"
        "D:\\b.xls  \xD7\xAA\xBB\xBB\xCA\xA7\xB0\xDC\r\n";
    EXPECT_EQ(expected, ReadFileBytes(dir / "qorconvert.log"));
}

TEST(LogFile, RemovedLogIsRecreatedAndAnUnwritableLogSaysSo) {
    TempDir dir;
    CAutomationBridge bridge;
    bridge.SetLogFolder(dir.path().c_str());
    bridge.ClearLog();
    DeleteFileA((dir / "qorconvert.log").c_str());
    EXPECT_TRUE(bridge.LogFailure("C:\\x.doc"));
    EXPECT_EQ(FailureLogLine("C:\\x.doc"), ReadFileBytes(dir / "qorconvert.log"));

    bridge.SetLogFolder((dir / "no\\such\\folder").c_str());
    EXPECT_FALSE(bridge.ClearLog());
    EXPECT_FALSE(bridge.LogFailure("C:\\y.doc"));
    EXPECT_FALSE(PathExists(dir / "no"));
}
