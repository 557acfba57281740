#include "cli/CCommandLine.h"

#include "TempDir.h"
#include "UiPump.h"

#include <gtest/gtest.h>

namespace {

std::vector<CString> Args(std::initializer_list<const char*> args) {
    return std::vector<CString>(args.begin(), args.end());
}

std::string Joined(const std::vector<CString>& sources) {
    std::string all;
    for (const CString& source : sources)
        all += (all.empty() ? "" : "|") + source.str();
    return all;
}

} // namespace

TEST(CommandLine, AcceptsWindowsAndUnixSpellings) {
    const struct {
        std::vector<CString> args;
        int direction;
        int kinds;
        bool quiet;
        const char* out;
        const char* sources;
    } cases[] = {
        {Args({"D:\\文档", "a.doc", "/out:E:\\输出"}), DIR_OFFICE_TO_QOR, CCommandLine::KINDS_BOTH,
         false, "E:\\输出", "D:\\文档|a.doc"},
        {Args({"-OUT:E:\\o", "/To:MS", "/kind:sheet", "x"}), DIR_QOR_TO_OFFICE,
         CCommandLine::KINDS_SHEET, false, "E:\\o", "x"},
        {Args({"--out=E:\\o", "--kind=doc", "--quiet", "x"}), DIR_OFFICE_TO_QOR,
         CCommandLine::KINDS_DOC, true, "E:\\o", "x"},
        {Args({"--out", "E:\\o", "-to", "qor", "/q", "x"}), DIR_OFFICE_TO_QOR,
         CCommandLine::KINDS_BOTH, true, "E:\\o", "x"},
        {Args({"/kind:doc", "/kind:both", "/out:a", "/out:b", "x"}), DIR_OFFICE_TO_QOR,
         CCommandLine::KINDS_BOTH, false, "b", "x"}, // the later one counts
        {Args({"/out:o", "--", "-x.doc", "/y"}), DIR_OFFICE_TO_QOR, CCommandLine::KINDS_BOTH, false,
         "o", "-x.doc|/y"},
    };
    for (const auto& c : cases) {
        CCommandLine cmd;
        ASSERT_TRUE(cmd.Parse(c.args)) << Utf8(cmd.m_strError.str());
        EXPECT_FALSE(cmd.m_bHelp);
        EXPECT_EQ(c.direction, cmd.m_nDirection) << c.sources;
        EXPECT_EQ(c.kinds, cmd.m_nKinds) << c.sources;
        EXPECT_EQ(c.quiet, cmd.m_bQuiet) << c.sources;
        EXPECT_EQ(c.out, cmd.m_strOutputDir.str()) << c.sources;
        EXPECT_EQ(c.sources, Joined(cmd.m_sources));
    }
}

TEST(CommandLine, HelpAndVersionWinAndUsageErrorsSayWhat) {
    const struct {
        std::vector<CString> args;
        bool ok;
        bool help;
        const char* error; // the start of the message, with the argument at fault after it
        bool version = false;
    } cases[] = {
        {Args({"/?"}), true, true, ""},
        {Args({"x", "--help", "/bogus"}), true, true, ""},
        {Args({"-h"}), true, true, ""},
        {Args({"/VERSION"}), true, false, "", true},
        {Args({"/bogus", "--version", "x"}), true, false, "", true},
        {Args({"/version:1", "x", "/out:o"}), false, false, "选项不带值"},
        {Args({}), false, false, "没有给出要转换的文件或文件夹"},
        {Args({"x"}), false, false, "没有给出输出文件夹"},
        {Args({"/out:o"}), false, false, "没有给出要转换的文件或文件夹"},
        {Args({"/bogus", "x", "/out:o"}), false, false, "未知选项 / unknown option: /bogus"},
        {Args({"x", "/out:"}), false, false, "选项缺少值 / option needs a value: /out:"},
        {Args({"x", "/out"}), false, false, "选项缺少值 / option needs a value: /out"},
        {Args({"x", "/out:o", "/to:pdf"}), false, false,
         "选项的值无效 / option value not "
         "recognised: /to:pdf"},
        {Args({"x", "/out:o", "/kind:all"}), false, false, "选项的值无效"},
        {Args({"x", "/out:o", "/quiet:yes"}), false, false, "选项不带值"},
        {Args({"x", "/out:o", "/jobs:0"}), false, false,
         "选项的值无效 / option value not recognised: /jobs:0"},
        {Args({"x", "/out:o", "/jobs:17"}), false, false, "选项的值无效"},
        {Args({"x", "/out:o", "/jobs:+4"}), false, false, "选项的值无效"},
    };
    for (const auto& c : cases) {
        CCommandLine cmd;
        EXPECT_EQ(c.ok, cmd.Parse(c.args)) << c.error;
        EXPECT_EQ(c.help, cmd.m_bHelp) << c.error;
        EXPECT_EQ(c.version, cmd.m_bVersion) << c.error;
        EXPECT_EQ(0u, cmd.m_strError.str().find(c.error)) << Utf8(cmd.m_strError.str());
    }
}

TEST(CommandLine, SourceListsAddTheirNamesWhereTheyStand) {
    // 文档\乗 in UTF-8; 乗's code page 936 form ends in the byte of "\".
    const std::string utf8Name = "D:\\\xE6\x96\x87\xE6\xA1\xA3\\\xE4\xB9\x97.doc";
    const struct {
        const char* name;
        std::string bytes; // of the list file; "missing" when there is none
        const char* sources;
        const char* error; // the start of the message, "" when the line is good
    } cases[] = {
        {"code page 936, comments, blanks and quotes",
         "# 注释 乗\r\n\r\n  D:\\文档\\乗.doc \t\r\n\"E:\\带 空格\\c.xls\"\r\n#\r\nF:\\d.doc",
         "a.doc|D:\\文档\\乗.doc|E:\\带 空格\\c.xls|F:\\d.doc|b.doc", ""},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8Name + "\n# x\n",
         "a.doc|D:\\文档\\乗.doc|b.doc", ""},
        {"an empty list", "", "a.doc|b.doc", ""},
        {"a name code page 936 cannot write",
         "\xEF\xBB\xBF"
         "a.doc\r\nD:\\\xF0\x9F\x98\x80.doc\r\n",
         "",
         "源列表中的名称无法用代码页 936 表示 / a name in the source list has no code page 936 "
         "form: {list}:2"},
        {"no list", "missing", "", "无法读取源列表 / cannot read the source list: {list}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string list = dir / "列表.txt";
        if (c.bytes != "missing")
            dir.WriteFile("列表.txt", c.bytes);
        CCommandLine cmd;
        std::string error = c.error;
        if (error.find("{list}") != std::string::npos)
            error.replace(error.find("{list}"), 6, list);
        EXPECT_EQ(error.empty(), cmd.Parse({"a.doc", CString("/from:" + list), "b.doc", "/out:o"}));
        EXPECT_EQ(error, cmd.m_strError.str()) << Utf8(cmd.m_strError.str());
        if (error.empty()) {
            EXPECT_EQ(c.sources, Joined(cmd.m_sources)) << Utf8(Joined(cmd.m_sources));
        }
    }
}
