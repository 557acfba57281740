#include "TandrelcProcess.h"

#include "framework/MbcsText.h"

#include "FailureLog.h"
#include "OfficeCalls.h"
#include "OfficeSim.h"
#include "UiPump.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr char kSummaryStart[] = "已转换 converted: ";

// The same stand-in documents for every run, in a fresh folder; 乗 ends in a 0x5C byte.
void WriteDocs(const TempDir& dir) {
    const char* docs[][2] = {
        {"文档\\a.doc", "A"}, {"文档\\乗\\b.dot", "B"}, {"文档\\c.xls", "C"}, {"文档\\d.qor", "D"},
        {"文档\\e.lx", "E"},  {"single.doc", "S"},      {"bad.doc", "X"},
    };
    for (const auto& doc : docs) {
        std::string path = dir.WriteFile(doc[0], "");
        std::string format = mbcs::SplitPath(path).ext.substr(1);
        OfficeSim::WriteDoc(path, format, doc[1]);
    }
}

// "{dir}" stands for the run's folder in the expected texts.
std::string Expand(std::string text, const TempDir& dir) {
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;)
        text.replace(at, 5, dir.path());
    return text;
}

size_t CountOf(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

size_t OpenCalls(const OfficeSim& sim) {
    std::vector<std::string> calls = sim.Calls();
    return std::count_if(calls.begin(), calls.end(), [](const std::string& call) {
        return call.rfind("qor.documents\tMETHOD\t18\t", 0) == 0;
    });
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// A file's time of last writing, hours from a fixed moment.
void SetWritten(const std::string& path, int hours) {
    SYSTEMTIME moment = {2026, 3, 0, 2, 9, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&moment, &time);
    ULARGE_INTEGER value = {{time.dwLowDateTime, time.dwHighDateTime}};
    value.QuadPart += static_cast<LONGLONG>(hours) * 3600 * 10000000LL;
    time = {value.LowPart, value.HighPart};
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

// An output folder of length bytes under dir, so deep that only short names fit in it.
std::string DeepFolder(const TempDir& dir, size_t length) {
    std::string out = dir / "out";
    while (length - out.size() > 100)
        out += "\\" + std::string(99, 'o');
    out += "\\" + std::string(length - out.size() - 1, 'p');
    return out;
}

// UTF-8 text (after its byte-order mark) read back in code page 936; "" when it is no UTF-8.
std::string FromUtf8File(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
        return std::string();
    const std::string text = bytes.substr(3);
    std::wstring wide(text.size(), L'\0');
    int chars =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                            static_cast<int>(text.size()), &wide[0], static_cast<int>(wide.size()));
    std::string out(text.size() * 2, '\0');
    int length = WideCharToMultiByte(936, 0, wide.data(), chars, &out[0],
                                     static_cast<int>(out.size()), nullptr, nullptr);
    return chars > 0 ? out.substr(0, static_cast<size_t>(length)) : std::string();
}

// tandrelc linked with the tests' short call limits, built beside this test.
std::string ShortLimitsTandrelc() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    mbcs::PathParts parts = mbcs::SplitPath(self);
    return parts.drive + parts.dir + "tandrelc-short-limits.exe";
}

struct Target {
    const char* path; // in the run's folder
    const char* format;
    const char* payload;
};

} // namespace

TEST(Tandrelc, JobsConvertMirrorLogAndSummarizeAsScriptsExpect) {
    const struct {
        const char* name;
        const char* args;
        std::vector<std::pair<const char*, const char*>> faults; // file name, rule
        const char* refuseStart; // ProgID of an application that cannot start, or ""
        int exitCode;
        const char* out; // the output folder
        std::vector<Target> made;
        std::vector<const char*> absent;
        const char* summary;
        std::vector<const char*> logged; // sources named in the log
        const char* error;               // on the error stream, once; "" for nothing at all
    } cases[] = {
        {"folder and file into a new output folder",
         "{dir}\\文档 {dir}\\single.doc /out:{dir}\\输出\\新",
         {},
         "",
         0,
         "输出\\新",
         {{"输出\\新\\文档\\a.qor", "qor", "A"},
          {"输出\\新\\文档\\乗\\b.qot", "qot", "B"},
          {"输出\\新\\文档\\c.lx", "lx", "C"},
          {"输出\\新\\single.qor", "qor", "S"}},
         {"输出\\新\\文档\\d.doc", "输出\\新\\文档\\e.xls"},
         "4, 失败 failed: 0, 跳过 skipped: 0",
         {},
         ""},
        {"one kind",
         "/kind:doc 文档 --out=输出",
         {},
         "",
         0,
         "输出",
         {{"输出\\文档\\a.qor", "qor", "A"}, {"输出\\文档\\乗\\b.qot", "qot", "B"}},
         {"输出\\文档\\c.lx"},
         "2, 失败 failed: 0, 跳过 skipped: 0",
         {},
         ""},
        {"the reverse direction",
         "-to:ms 文档 /out 输出",
         {},
         "",
         0,
         "输出",
         {{"输出\\文档\\d.doc", "doc", "D"}, {"输出\\文档\\e.xls", "xls", "E"}},
         {"输出\\文档\\a.qor"},
         "2, 失败 failed: 0, 跳过 skipped: 0",
         {},
         ""},
        {"a save that fails",
         "/kind:doc 文档 bad.doc /out:输出",
         {{"bad.doc", "save-error:800A03EC:磁盘已满"}},
         "",
         1,
         "输出",
         {{"输出\\文档\\a.qor", "qor", "A"}, {"输出\\文档\\乗\\b.qot", "qot", "B"}},
         {"输出\\bad.qor"},
         "2, 失败 failed: 1, 跳过 skipped: 0",
         {"bad.doc"},
         ""},
        {"an application that cannot start",
         "文档 /out:输出",
         {},
         "Qor.Application",
         3,
         "输出",
         {{"输出\\文档\\c.lx", "lx", "C"}},
         {"输出\\文档\\a.qor"},
         "1, 失败 failed: 2, 跳过 skipped: 0",
         {"文档\\a.doc", "文档\\乗\\b.dot"},
         "错误: Qor启动失败"},
        {"open and save that yield nothing",
         "/kind:doc 文档\\a.doc single.doc bad.doc /out:输出",
         {{"single.doc", "save-nothing"}, {"bad.doc", "open-nothing"}},
         "",
         1,
         "输出",
         {{"输出\\a.qor", "qor", "A"}},
         {"输出\\single.qor"},
         "1, 失败 failed: 2, 跳过 skipped: 0",
         {"single.doc", "bad.doc"},
         ""},
        {"an output folder inside a source",
         "/kind:doc 文档 single.doc /out:文档\\输出",
         {},
         "",
         1,
         "文档\\输出",
         {{"文档\\输出\\single.qor", "qor", "S"}},
         {"文档\\输出\\文档", "文档\\输出\\a.qor"},
         "1, 失败 failed: 0, 跳过 skipped: 2",
         {},
         "跳过这个源 / warning: the output folder lies inside this source, skipped: {dir}\\文档"},
        {"the same with /update, which counts after the job",
         "/update /kind:doc 文档 single.doc /out:文档\\输出",
         {},
         "",
         1,
         "文档\\输出",
         {{"文档\\输出\\single.qor", "qor", "S"}},
         {"文档\\输出\\文档", "文档\\输出\\a.qor"},
         "1, 失败 failed: 0, 跳过 skipped: 2, 已是最新 up to date: 0",
         {},
         "跳过这个源 / warning: the output folder lies inside this source, skipped: {dir}\\文档"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteDocs(dir);
        OfficeSim sim;
        for (const auto& fault : c.faults)
            sim.Fault(fault.first, fault.second);
        sim.RefuseStart(c.refuseStart);
        TandrelcProcess run;
        ASSERT_TRUE(run.Start(Expand(c.args, dir), dir.path()));
        EXPECT_EQ(c.exitCode, run.Wait());

        for (const Target& target : c.made)
            EXPECT_TRUE(IsDoc(dir / target.path, target.format, target.payload)) << target.path;
        for (const char* path : c.absent)
            EXPECT_FALSE(PathExists(dir / path)) << Utf8(path);
        std::string log = dir / c.out + "\\qorconvert.log";
        std::vector<std::string> expectedLog;
        for (const char* source : c.logged)
            expectedLog.push_back(dir / source + kFailureVerdict);
        EXPECT_TRUE(PathExists(log)) << "the log is emptied at the start";
        // A folder's files are logged in the order the file system lists them.
        std::vector<std::string> logged = Lines(ReadFileBytes(log));
        std::sort(logged.begin(), logged.end());
        std::sort(expectedLog.begin(), expectedLog.end());
        EXPECT_EQ(expectedLog, logged);

        std::string out = run.Out();
        EXPECT_NE(std::string::npos, out.find(kSummaryStart + std::string(c.summary))) << Utf8(out);
        EXPECT_EQ(c.logged.empty() ? 0u : 1u, CountOf(out, log)) << "the log's path, if failed";
        std::string error = Expand(c.error, dir);
        if (error.empty()) {
            EXPECT_EQ("", run.Err());
        } else {
            EXPECT_EQ(1u, CountOf(run.Err(), error)) << Utf8(run.Err());
        }
    }
}

TEST(Tandrelc, BadCommandLinesAreRefusedBeforeAnythingStarts) {
    const std::string tooLong = "输出\\" + std::string(250, 'x');
    const struct {
        std::string args;
        const char* error;
        bool logTaken = false; // 输出\qorconvert.log is a folder: no log can be made
        const char* list = ""; // 列表.txt, for /from
    } cases[] = {
        {"文档 缺少.doc /out:输出", "找不到源 / source not found: 缺少.doc"},
        {"/from:列表.txt /out:输出", "找不到源 / source not found: 缺少.doc", false,
         "# 注释\r\n文档\r\n缺少.doc\r\n"},
        {"/kind:sheet 文档 single.doc /out:输出",
         "不是所选方向和类型的文档 / not a document of the chosen direction and kind: single.doc"},
        {"文档 /out:" + tooLong, "输出文件夹路径太长 / output folder path too long"},
        {"文档 /out:single.doc", "输出文件夹是一个文件 / the output folder is a file"},
        {"/bogus 文档 /out:输出", "未知选项 / unknown option: /bogus"},
        {"文档", "没有给出输出文件夹"},
        {"文档 /out:输出",
         "无法在输出文件夹中创建日志, 什么也没转换 / cannot create the log in the output folder, "
         "nothing converted: {dir}\\输出",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.args));
        TempDir dir;
        WriteDocs(dir);
        if (c.logTaken)
            dir.MakeDir("输出\\qorconvert.log");
        if (*c.list != '\0')
            dir.WriteFile("列表.txt", c.list);
        OfficeSim sim;
        TandrelcProcess run;
        ASSERT_TRUE(run.Start(c.args, dir.path()));
        EXPECT_EQ(2, run.Wait());
        EXPECT_EQ(0u, run.Err().find(Expand(std::string("tandrelc: ") + c.error, dir)))
            << Utf8(run.Err());
        EXPECT_EQ("", run.Out());
        EXPECT_EQ(c.logTaken, PathExists(dir / "输出")) << "nothing is written";
        EXPECT_FALSE(PathExists(dir / "输出\\文档"));
        EXPECT_TRUE(sim.Calls().empty()) << "no application is started";
    }
}

// An output folder so deep that the mirror of a sub-folder cannot be made: the sub-folder's
// document is logged, and the top-level document of the same name keeps its result.
TEST(Tandrelc, AMirrorThatCannotBeMadeOverwritesNothing) {
    TempDir dir;
    OfficeSim::WriteDoc(dir.WriteFile("Docs\\a.doc", ""), "doc", "上层");
    OfficeSim::WriteDoc(dir.WriteFile("Docs\\b.doc", ""), "doc", "乙");
    OfficeSim::WriteDoc(dir.WriteFile("Docs\\Subfolder1234567\\a.doc", ""), "doc", "下层");
    // Docs\ can be mirrored in it, Docs\Subfolder1234567 cannot: its path would pass 259.
    std::string out = DeepFolder(dir, 240);
    ASSERT_EQ(240u, out.size());
    OfficeSim sim;
    TandrelcProcess run;
    ASSERT_TRUE(run.Start("Docs /out:" + out, dir.path()));
    EXPECT_EQ(1, run.Wait());

    EXPECT_TRUE(IsDoc(out + "\\Docs\\a.qor", "qor", "上层"));
    EXPECT_TRUE(IsDoc(out + "\\Docs\\b.qor", "qor", "乙"));
    EXPECT_FALSE(PathExists(out + "\\a.qor"));
    EXPECT_EQ(FailureLogLine(dir / "Docs\\Subfolder1234567\\a.doc"),
              ReadFileBytes(out + "\\qorconvert.log"));
    EXPECT_NE(std::string::npos,
              run.Out().find("已转换 converted: 2, 失败 failed: 1, 跳过 skipped: 0"))
        << Utf8(run.Out());
}

TEST(Tandrelc, ProgressUpdatesOneLineOnAConsoleAndWritesLinesOtherwise) {
    const std::string longName(70, 'L');
    const struct {
        TandrelcProcess::Console console;
        std::string args;
        std::vector<std::string> lines; // the rows of the console or the lines of the output
    } cases[] = {
        {TandrelcProcess::REDIRECTED,
         "/kind:doc 文档\\a.doc single.doc /out:输出",
         {"[1/2] {dir}\\文档\\a.doc", "[2/2] {dir}\\single.doc",
          "已转换 converted: 2, 失败 failed: 0, 跳过 skipped: 0"}},
        {TandrelcProcess::REDIRECTED, "/quiet /kind:doc 文档\\a.doc single.doc /out:输出", {}},
        // Nothing is counted before an /update job: no total.
        {TandrelcProcess::REDIRECTED,
         "/update /kind:doc 文档\\a.doc single.doc /out:输出",
         {"[1] {dir}\\文档\\a.doc", "[2] {dir}\\single.doc",
          "已转换 converted: 2, 失败 failed: 0, 跳过 skipped: 0, 已是最新 up to date: 0"}},
        {TandrelcProcess::OWN_CONSOLE,
         "/kind:doc 文档\\a.doc single.doc /out:输出",
         {"[2/2] {dir}\\single.doc", "已转换 converted: 2, 失败 failed: 0, 跳过 skipped: 0", ""}},
        // A line longer than the console loses the start of its path, never the counter.
        {TandrelcProcess::OWN_CONSOLE,
         "/kind:doc " + longName + " /out:输出",
         {"[1/1] ..." + mbcs::KeepTail("\\" + longName + "\\乗.doc", 79 - 9),
          "已转换 converted: 1, 失败 failed: 0, 跳过 skipped: 0", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.args));
        TempDir dir;
        WriteDocs(dir);
        OfficeSim::WriteDoc(dir.WriteFile(longName + "\\乗.doc", ""), "doc", "L");
        OfficeSim sim;
        TandrelcProcess run;
        ASSERT_TRUE(run.Start(c.args, dir.path(), c.console));
        EXPECT_EQ(0, run.Wait());
        std::vector<std::string> shown = c.console == TandrelcProcess::REDIRECTED
                                             ? Lines(run.Out())
                                             : run.ConsoleRows(static_cast<int>(c.lines.size()));
        std::vector<std::string> expected;
        for (const std::string& line : c.lines)
            expected.push_back(Expand(line, dir));
        EXPECT_EQ(expected, shown);
    }
}

TEST(Tandrelc, CtrlCFinishesTheFileInHandAndConvertsNothingAfterIt) {
    // With /update the files not reached are counted after the stop.
    for (const char* update : {"", "/update "}) {
        SCOPED_TRACE(update);
        TempDir dir;
        OfficeSim sim;
        for (const char* name : {"a1.doc", "a2.doc", "a3.doc", "a4.doc"}) {
            OfficeSim::WriteDoc(dir.WriteFile(std::string("Alpha\\") + name, ""), "doc", name);
            sim.Fault(name, "delay:save:1500");
        }
        OfficeSim::WriteDoc(dir.WriteFile("b.doc", ""), "doc", "b");
        OfficeSim::WriteDoc(dir.WriteFile("Misc\\m.doc", ""), "doc", "m");

        TandrelcProcess run;
        ASSERT_TRUE(run.Start(std::string(update) + "/kind:doc Alpha b.doc Misc /out:Out",
                              dir.path(), TandrelcProcess::OWN_CONSOLE_REDIRECTED));
        // The second file is in hand once it has been opened: its save takes a while.
        for (int waited = 0; OpenCalls(sim) < 2 && waited < 60000; waited += 20)
            Sleep(20);
        ASSERT_EQ(2u, OpenCalls(sim));
        ASSERT_TRUE(run.PressCtrlC());
        EXPECT_EQ(4, run.Wait());

        EXPECT_EQ(2u, OpenCalls(sim)) << "nothing is opened after the stop";
        size_t made = 0;
        for (const char* name : {"a1.qor", "a2.qor", "a3.qor", "a4.qor"})
            made += PathExists(dir / "Out\\Alpha\\" + name) ? 1 : 0;
        EXPECT_EQ(2u, made) << "the file in hand is finished";
        EXPECT_FALSE(PathExists(dir / "Out\\b.qor"));
        EXPECT_FALSE(PathExists(dir / "Out\\Misc\\m.qor"));
        std::string out = run.Out();
        EXPECT_NE(std::string::npos,
                  out.find("已转换 converted: 2, 失败 failed: 0, 跳过 skipped: 4"))
            << Utf8(out);
        EXPECT_NE(std::string::npos,
                  out.find("已按 Ctrl+C 停止, 未完成 / stopped by Ctrl+C, not done:"));
        EXPECT_NE(std::string::npos, out.find("  " + (dir / "b.doc") + "\r\n"));
        EXPECT_NE(std::string::npos, out.find("  " + (dir / "Misc") + "\r\n"));
    }
}

// A job that an interruption left part-done, run again: with /update only the missing targets
// and those older than their sources are converted, and the others are kept as they are; a
// folder where a target belongs is never a result, however new.
TEST(Tandrelc, UpdateConvertsOnlyMissingAndOlderTargets) {
    const struct {
        const char* args;
        const char* summary;
        std::vector<Target> targets;
    } cases[] = {
        {"/update /kind:doc Docs /out:Out",
         "已转换 converted: 2, 失败 failed: 1, 跳过 skipped: 0, 已是最新 up to date: 2\r\n",
         {{"Out\\Docs\\a.qor", "qor", "旧a"},
          {"Out\\Docs\\b.qor", "qor", "b"},
          {"Out\\Docs\\子\\c.qor", "qor", "c"},
          {"Out\\Docs\\d.qor", "qor", "旧d"}}},
        {"/kind:doc Docs /out:Out",
         "已转换 converted: 4, 失败 failed: 1, 跳过 skipped: 0\r\n",
         {{"Out\\Docs\\a.qor", "qor", "a"},
          {"Out\\Docs\\b.qor", "qor", "b"},
          {"Out\\Docs\\子\\c.qor", "qor", "c"},
          {"Out\\Docs\\d.qor", "qor", "d"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        TempDir dir;
        for (const char* name : {"a", "b", "子\\c", "d", "e"}) {
            std::string source = dir.WriteFile("Docs\\" + std::string(name) + ".doc", "");
            OfficeSim::WriteDoc(source, "doc", mbcs::SplitPath(name).fname);
            SetWritten(source, 0);
        }
        // a's target as new as its source, b's older, c's missing, d's newer.
        const std::pair<const char*, int> left[] = {{"a", 0}, {"b", -1}, {"d", 1}};
        for (const auto& target : left) {
            std::string path = dir.WriteFile("Out\\Docs\\" + std::string(target.first) + ".qor");
            OfficeSim::WriteDoc(path, "qor", "旧" + std::string(target.first));
            SetWritten(path, target.second);
        }
        dir.MakeDir("Out\\Docs\\e.qor"); // made now, long after e.doc was written
        OfficeSim sim;
        TandrelcProcess run;
        ASSERT_TRUE(run.Start(c.args, dir.path()));
        EXPECT_EQ(1, run.Wait());
        for (const Target& target : c.targets)
            EXPECT_TRUE(IsDoc(dir / target.path, target.format, target.payload)) << target.path;
        EXPECT_NE(std::string::npos, run.Out().find(c.summary)) << Utf8(run.Out());
    }
}

// One row per source file, whatever became of it, in UTF-8 that a spreadsheet reads, quoted
// where a field holds a comma or a quote; the log is as it would be without the report.
TEST(Tandrelc, ReportHasARowForEverySourceFile) {
    TempDir dir;
    // 逗,号.doc still fits into it, Docs\Subfolder1234567 does not.
    const std::string out = DeepFolder(dir, 240);
    const std::string docs = dir / "Docs\\";
    for (const char* name : {"a.doc", "逗,号.doc", "u.doc", "s.xls", "Subfolder1234567\\z.doc"})
        OfficeSim::WriteDoc(dir.WriteFile(std::string("Docs\\") + name, ""), "doc", name);
    const std::string outInDir = out.substr(dir.path().size() + 1);
    OfficeSim::WriteDoc(dir.WriteFile(outInDir + "\\Docs\\u.qor", ""), "qor", "旧");
    SetWritten(docs + "u.doc", 0);
    SetWritten(out + "\\Docs\\u.qor", 1);
    OfficeSim sim;
    sim.Fault("逗,号.doc", "save-error:800A03EC:磁盘\"满\", 请清理");
    sim.RefuseStart("LX.Exe");
    TandrelcProcess run;
    ASSERT_TRUE(run.Start("/update Docs /report:报告.csv /out:" + out, dir.path()));
    EXPECT_EQ(3, run.Wait());

    std::vector<std::string> rows = Lines(FromUtf8File(ReadFileBytes(dir / "报告.csv")));
    ASSERT_FALSE(rows.empty()) << "a UTF-8 file with its mark";
    EXPECT_EQ("source,target,result,error,description,ms", rows[0]);
    rows.erase(rows.begin());
    for (std::string& row : rows) {
        size_t ms = row.rfind(',') + 1;
        EXPECT_EQ(std::string::npos, row.find_first_not_of("0123456789", ms)) << Utf8(row);
        row = row.substr(0, ms) + "ms";
    }
    std::sort(rows.begin(), rows.end());
    const std::string o = out + "\\Docs\\";
    const std::vector<std::string> expected = {
        "\"" + docs + "逗,号.doc\",\"" + o +
            "逗,号.qor\",failed,0x800A03EC,\"磁盘\"\"满\"\", 请清理\",ms",
        docs + "Subfolder1234567\\z.doc,,not-reachable,,,ms",
        docs + "a.doc," + o + "a.qor,converted,,,ms",
        docs + "s.xls," + o + "s.lx,not-started,,,ms",
        docs + "u.doc," + o + "u.qor,up-to-date,,,ms",
    };
    EXPECT_EQ(expected, rows);
    std::vector<std::string> logged = Lines(ReadFileBytes(out + "\\qorconvert.log"));
    std::sort(logged.begin(), logged.end());
    const std::vector<std::string> expectedLog = {
        docs + "Subfolder1234567\\z.doc" + kFailureVerdict,
        docs + "s.xls" + kFailureVerdict,
        docs + "逗,号.doc" + kFailureVerdict,
    };
    EXPECT_EQ(expectedLog, logged);
}

// Several instances at once over a tree with a failing file, a hanging one and one whose mirror
// cannot be made: each file is converted or logged exactly once, the hung instance alone is
// ended, and no application is left.
TEST(Tandrelc, JobsConvertEveryFileOnceAndEndOnlyTheHungInstance) {
    TempDir dir;
    // Docs\子\孙 can be mirrored in it, Docs\Subfolder1234567890123456789 cannot.
    const std::string out = DeepFolder(dir, 230);
    const std::vector<std::string> good = {"a1", "a2",     "a3",     "a4",     "a5",
                                           "a6", "子\\b1", "子\\b2", "子\\b3", "子\\孙\\c1"};
    for (const std::string& name : good)
        OfficeSim::WriteDoc(dir.WriteFile("Docs\\" + name + ".doc", ""), "doc", name);
    for (const char* name : {"bad", "hang", "Subfolder1234567890123456789\\z"})
        OfficeSim::WriteDoc(dir.WriteFile(std::string("Docs\\") + name + ".doc", ""), "doc", name);
    OfficeSim sim;
    sim.Fault("bad.doc", "save-error:800A03EC:坏");
    sim.Fault("hang.doc", "hang:save");
    TandrelcProcess run(ShortLimitsTandrelc());
    ASSERT_TRUE(run.Start("/jobs:4 /kind:doc Docs /out:" + out, dir.path()));
    EXPECT_EQ(1, run.Wait());

    for (const std::string& name : good)
        EXPECT_TRUE(IsDoc(out + "\\Docs\\" + name + ".qor", "qor", name)) << Utf8(name);
    std::vector<std::string> logged = Lines(ReadFileBytes(out + "\\qorconvert.log"));
    std::sort(logged.begin(), logged.end());
    const std::vector<std::string> expectedLog = {
        dir / "Docs\\Subfolder1234567890123456789\\z.doc" + kFailureVerdict,
        dir / "Docs\\bad.doc" + kFailureVerdict,
        dir / "Docs\\hang.doc" + kFailureVerdict,
    };
    EXPECT_EQ(expectedLog, logged);
    std::vector<std::string> calls = sim.Calls();
    for (const std::string& name : good)
        EXPECT_EQ(1, std::count(calls.begin(), calls.end(),
                                OfficeCalls::WordConvert(dir / ("Docs\\" + name + ".doc"), "")[0]))
            << "opened once: " << Utf8(name);
    EXPECT_NE(std::string::npos,
              run.Out().find("已转换 converted: 10, 失败 failed: 3, 跳过 skipped: 0"))
        << Utf8(run.Out());
    // Every instance's application quit at its end or after its failed file, but for the hung
    // one: the watchdog ended it alone.
    const DWORD hung = sim.PidOf(OfficeCalls::WordConvert(dir / "Docs\\hang.doc", "")[0]);
    const std::vector<std::string> lines = sim.JournalLines();
    for (DWORD pid : sim.JournalPids()) {
        const std::string quit = std::to_string(pid) + "\t" + OfficeCalls::WordQuit();
        EXPECT_EQ(pid != hung, std::count(lines.begin(), lines.end(), quit) > 0) << pid;
        EXPECT_TRUE(OfficeSim::WaitForExit(pid, 5000)) << "no application is left";
    }
}

// Ctrl+C under several instances: the file each has in hand is finished, and nothing is begun
// after it.
TEST(Tandrelc, CtrlCUnderJobsFinishesEveryFileInHandAndBeginsNoOther) {
    TempDir dir;
    OfficeSim sim;
    const int files = 24;
    for (int i = 0; i < files; ++i) {
        std::string name = "a" + std::to_string(i) + ".doc";
        OfficeSim::WriteDoc(dir.WriteFile("Alpha\\" + name, ""), "doc", name);
        sim.Fault(name, "delay:save:500");
    }
    TandrelcProcess run;
    ASSERT_TRUE(run.Start("/jobs:4 /kind:doc Alpha /out:Out", dir.path(),
                          TandrelcProcess::OWN_CONSOLE_REDIRECTED));
    for (int waited = 0; OpenCalls(sim) < 6 && waited < 60000; waited += 20)
        Sleep(20);
    const size_t before = OpenCalls(sim);
    ASSERT_TRUE(run.PressCtrlC());
    EXPECT_EQ(4, run.Wait());

    // An instance may have begun its next file while the key was on its way, no more.
    const size_t opened = OpenCalls(sim);
    EXPECT_LE(opened, before + 4);
    EXPECT_LT(opened, static_cast<size_t>(files)) << "the stop ended the job";
    size_t made = 0;
    for (int i = 0; i < files; ++i)
        made += PathExists(dir / "Out\\Alpha\\a" + std::to_string(i) + ".qor") ? 1 : 0;
    EXPECT_EQ(opened, made) << "every file in hand is finished";
    std::string summary = "已转换 converted: " + std::to_string(made) +
                          ", 失败 failed: 0, 跳过 skipped: " + std::to_string(files - made);
    EXPECT_NE(std::string::npos, run.Out().find(summary)) << Utf8(run.Out());
    EXPECT_EQ("", ReadFileBytes(dir / "Out\\qorconvert.log"));
}

// An office suite that serves every creation from one process: several instances still convert
// every file, only one at a time.
TEST(Tandrelc, JobsConvertEverythingWithASingleProcessSuite) {
    TempDir dir;
    const std::pair<const char*, const char*> files[] = {
        {"a.doc", "a.qor"}, {"b.doc", "b.qor"}, {"子\\c.doc", "子\\c.qor"},
        {"d.xls", "d.lx"},  {"e.xls", "e.lx"},  {"f.doc", "f.qor"},
    };
    for (const auto& file : files)
        OfficeSim::WriteDoc(dir.WriteFile(std::string("Docs\\") + file.first, ""), "", file.first);
    OfficeSim sim;
    sim.Work("single-process");
    TandrelcProcess run;
    ASSERT_TRUE(run.Start("/jobs:3 Docs /out:Out", dir.path()));
    EXPECT_EQ(0, run.Wait());
    for (const auto& file : files) {
        const std::string format = mbcs::SplitPath(file.second).ext.substr(1);
        EXPECT_TRUE(IsDoc(dir / "Out\\Docs\\" + file.second, format, file.first))
            << Utf8(file.second);
    }
    const std::vector<DWORD> pids = sim.JournalPids();
    EXPECT_EQ(2u, pids.size()) << "one word processor, one spreadsheet";
    for (DWORD pid : pids)
        EXPECT_TRUE(OfficeSim::WaitForExit(pid, 5000)) << "no application is left";
}
