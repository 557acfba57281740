#include "cli/CCommandLine.h"

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
    };
    for (const auto& c : cases) {
        CCommandLine cmd;
        EXPECT_EQ(c.ok, cmd.Parse(c.args)) << c.error;
        EXPECT_EQ(c.help, cmd.m_bHelp) << c.error;
        EXPECT_EQ(c.version, cmd.m_bVersion) << c.error;
        EXPECT_EQ(0u, cmd.m_strError.str().find(c.error)) << Utf8(cmd.m_strError.str());
    }
}
