// Large migrations through tandrelc: throughput with N application instances (/jobs:N) when each
// open and save of the stand-ins costs 25 ms of waiting or of processor work, for the whole run and
// once every instance is up; /jobs:1 against the engine's own job; and /update over a finished job
// against a bare walk that looks at each source and target.
// Usage: bench_parallel [files] [update files] [engine files] (400, 10000, 2000; 0 leaves a part
// out)
#include "../BenchClock.h"
#include "../BenchTree.h"
#include "StatWalk.h"
#include "TempDir.h"
#include "WalkOrder.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::MakeTree;
using bench::Now;

constexpr char kSimKey[] = "Software\\Tandrel\\OfficeSim";

std::string Here() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.rfind('\\'));
}

// bench\cli\ -> src\cli\tandrelc.exe in the same build tree.
std::string Tandrelc() {
    return Here() + "\\..\\..\\src\\cli\\tandrelc.exe";
}

void SetWork(const char* work) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSimKey, "Work", REG_SZ, work,
                    static_cast<DWORD>(std::strlen(work) + 1));
}

// The stand-in word processor's processes that run now.
std::vector<DWORD> WordProcessors() {
    std::vector<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "qorsim.exe") == 0)
            pids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return pids;
}

int CountResults(const std::string& folder) {
    int count = 0;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountResults(folder + "\\" + name);
        else
            count += name.size() > 4 && name.substr(name.size() - 4) == ".qor" ? 1 : 0;
    });
    return count;
}

// One run of a program: its exit code and seconds, and the instances it was watched for.
struct Run {
    DWORD code = 0;
    double seconds = 0;
    std::vector<double> appeared; // seconds after the start at which each instance's process ran
    // Once every instance's process runs: results written by then, every 0.2 s.
    std::vector<std::pair<double, int>> written;
};

// One run of a command; with instances > 0 it is watched for the word processors it starts.
Run RunCommand(std::string command, int instances = 0, const std::string& out = "",
               DWORD flags = 0) {
    Run run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const std::vector<DWORD> before = WordProcessors();
    std::vector<DWORD> seen;
    const double start = Now();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process)) {
        run.code = 99;
        return run;
    }
    const DWORD poll = instances > 0 ? 20 : INFINITE;
    for (int round = 0; WaitForSingleObject(process.hProcess, poll) == WAIT_TIMEOUT; ++round) {
        if (static_cast<int>(seen.size()) >= instances) {
            if (round % 10 == 0)
                run.written.push_back({Now() - start, CountResults(out)});
            continue;
        }
        for (DWORD pid : WordProcessors()) {
            if (std::find(before.begin(), before.end(), pid) != before.end() ||
                std::find(seen.begin(), seen.end(), pid) != seen.end())
                continue;
            seen.push_back(pid);
            run.appeared.push_back(Now() - start);
        }
    }
    run.seconds = Now() - start;
    GetExitCodeProcess(process.hProcess, &run.code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

Run RunTandrelc(const std::string& args, int instances = 0, const std::string& out = "") {
    return RunCommand("\"" + Tandrelc() + "\" /quiet " + args, instances, out);
}

// One job of sources into a fresh output folder, watched for its instances (one process for all
// in a suite of one process).
Run Job(const std::string& root, int jobs, const std::string& sources, int processes) {
    const std::string out = root + "\\out" + std::to_string(jobs);
    Run run = RunTandrelc("/jobs:" + std::to_string(jobs) + " /kind:doc " + sources + " /out:\"" +
                              out + "\"",
                          processes, out);
    RemoveTree(out);
    if (run.code != 0)
        std::printf("  (exit code %lu)\n", static_cast<unsigned long>(run.code));
    return run;
}

// The first n top folders of the steady-state tree, as sources.
std::string TopFolders(const std::string& tree, int n) {
    std::string sources;
    for (int i = 0; i < n && i < 10; ++i)
        sources += " \"" + tree + "\\d" + std::to_string(i) + "\"";
    return sources;
}

// Files per second once every instance converts: between the first count of results 1.5 s after
// the last instance's process ran (its creation takes a second under Wine) and the last count
// before the job's end. 0 when the job ended before.
double SteadyRate(const Run& run, double* from) {
    *from = run.appeared.empty() ? 0 : run.appeared.back() + 1.5;
    const std::pair<double, int>* first = nullptr;
    for (const auto& count : run.written) {
        if (first == nullptr && count.first >= *from)
            first = &count;
    }
    if (first == nullptr || run.written.back().first <= first->first)
        return 0;
    return (run.written.back().second - first->second) / (run.written.back().first - first->first);
}

// Files per second over the whole run, and, in a job of one top folder per instance of the
// steady-state tree, once every instance converts.
void Scaling(const std::string& root, const char* work, const std::vector<int>& counts, int files,
             bool single) {
    SetWork(work);
    std::printf("%s, %d files:\n", work, files);
    double one = 0, steadyOne = 0;
    for (int jobs : counts) {
        const Run whole = Job(root, jobs, "\"" + root + "\\src\"", single ? 1 : jobs);
        const double rate = files / whole.seconds;
        if (jobs == 1)
            one = rate;
        std::printf("  /jobs:%d  %7.1f files/s  %5.2f x /jobs:1  (goal >= %.2f); processes ran at",
                    jobs, rate, rate / one, 0.85 * jobs);
        for (double at : whole.appeared)
            std::printf(" %.2f", at);
        std::printf(" s\n");
        if (single)
            continue;
        const int steadyFiles = 160 * jobs;
        const Run part = Job(root, jobs, TopFolders(root + "\\steady", jobs), jobs);
        double from = 0;
        const double steady = SteadyRate(part, &from);
        if (jobs == 1)
            steadyOne = steady;
        std::printf("           steady, %d files, from %.2f s of %.2f s: %7.1f files/s  %5.2f x "
                    "/jobs:1\n",
                    steadyFiles, from, part.seconds, steady, steady / steadyOne);
    }
}

// A job's time in all and the part of it spent converting files one by one (each file's time as
// the job measured it): the rest is what the job costs once, whatever its size.
struct JobTimes {
    double seconds = 0;
    double medianMs = 0;
    double fileSeconds = 0;
};

// The engine's own job, from bench_convert_engine in a process of its own.
JobTimes EngineJob(int files) {
    const std::string engine = Here() + "\\..\\convert\\bench_convert_engine.exe";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "bench-engine.txt";
    RunCommand("cmd /c \"\"" + engine + "\" " + std::to_string(files) + " >\"" + output + "\"\"", 0,
               "", CREATE_NO_WINDOW);
    JobTimes times;
    char line[256];
    FILE* f = std::fopen(output.c_str(), "r");
    while (f != nullptr && std::fgets(line, sizeof(line), f) != nullptr) {
        std::sscanf(line, "engine job: %lf", &times.seconds);
        std::sscanf(line, "engine per file: median %lf ms, in all %lf", &times.medianMs,
                    &times.fileSeconds);
    }
    if (f != nullptr)
        std::fclose(f);
    DeleteFileA(output.c_str());
    return times;
}

// tandrelc's /jobs:1 over src, timed from its start to its exit, started as the engine's job is
// (through cmd, without a console); each file's time from the report's last column.
JobTimes TandrelcJob(const std::string& root, const std::string& src) {
    const std::string report = root + "\\engine-report.csv";
    const std::string out = root + "\\out1";
    const Run run = RunCommand("cmd /c \"\"" + Tandrelc() + "\" /quiet /jobs:1 /kind:doc \"" + src +
                                   "\" /report:\"" + report + "\" /out:\"" + out + "\" >nul\"",
                               0, "", CREATE_NO_WINDOW);
    RemoveTree(out);
    if (run.code != 0)
        std::printf("  (exit code %lu)\n", static_cast<unsigned long>(run.code));
    std::vector<double> ms;
    char line[1024];
    FILE* f = std::fopen(report.c_str(), "r");
    // The header first, then a row per file whose last field is its milliseconds.
    while (f != nullptr && std::fgets(line, sizeof(line), f) != nullptr) {
        const char* last = std::strrchr(line, ',');
        if (last != nullptr && std::isdigit(static_cast<unsigned char>(last[1])))
            ms.push_back(std::atof(last + 1));
    }
    if (f != nullptr)
        std::fclose(f);
    DeleteFileA(report.c_str());
    return {run.seconds, bench::Median(ms), bench::Sum(ms) / 1000};
}

void PrintJob(const char* name, const JobTimes& job) {
    std::printf("    %-15s %6.2f s; per file median %.2f ms, in all %6.2f s; once %.2f s\n", name,
                job.seconds, job.medianMs, job.fileSeconds, job.seconds - job.fileSeconds);
}

// /jobs:1 without a cost against the engine's job over a tree of the same shape and size, the
// two in turn, the first of a round alternating, and a start of tandrelc /version each round.
void AgainstEngine(const std::string& root, int files) {
    const std::string src = root + "\\engine";
    MakeTree(src, files);
    // The stand-ins read their settings at every call: none at all, as for the engine.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSimKey);
    std::printf("/jobs:1 against the engine's job, %d files, no cost:\n", files);
    for (int round = 0; round < 4; ++round) {
        JobTimes engine, console;
        if (round % 2 == 0)
            engine = EngineJob(files);
        console = TandrelcJob(root, src);
        if (round % 2 != 0)
            engine = EngineJob(files);
        const Run version = RunTandrelc("/version");
        // The report's times are whole milliseconds: the files' times are compared in all.
        std::printf("  round %d, %s first: %.3f x (goal <= 1.05); the files alone %.3f x; "
                    "tandrelc /version %.2f s\n",
                    round + 1, round % 2 == 0 ? "engine" : "tandrelc",
                    console.seconds / engine.seconds, console.fileSeconds / engine.fileSeconds,
                    version.seconds);
        PrintJob("engine job", engine);
        PrintJob("tandrelc /jobs:1", console);
    }
}

void Update(const std::string& root, int files) {
    const std::string src = root + "\\many";
    const std::string out = root + "\\many-out";
    MakeTree(src, files);
    SetWork("");
    const Run first = RunTandrelc("/jobs:4 /kind:doc \"" + src + "\" /out:\"" + out + "\"");
    std::printf("/update over a finished job of %d files (first run exit code %lu):\n", files,
                static_cast<unsigned long>(first.code));
    const std::string update = "/update /kind:doc \"" + src + "\" /out:\"" + out + "\"";
    const std::string bareWalk =
        "\"" + Here() + "\\bench_bare_console.exe\" \"" + src + "\" \"" + out + "\\many\"";
    for (int round = 0; round < 3; ++round) {
        // The three in turn, the first of a round rotating, so that none always finds the file
        // cache warmer.
        double seconds[3] = {};
        int seen = 0;
        DWORD code = 0;
        for (int i = 0; i < 3; ++i) {
            const int side = (round + i) % 3;
            if (side == 0) {
                const Run run = RunTandrelc(update);
                seconds[0] = run.seconds;
                code = run.code;
            } else if (side == 1) {
                const double start = Now();
                seen = StatWalk(src, out + "\\many");
                seconds[1] = Now() - start;
            } else {
                seconds[2] = RunCommand(bareWalk).seconds;
            }
        }
        // What any run costs before it looks at a file, under Wine: tandrelc's start, and a
        // console program's that loads no libraries of its own.
        const double version = RunTandrelc("/version").seconds;
        const double bare = RunCommand("\"" + Here() + "\\bench_bare_console.exe\"").seconds;
        std::printf("  /update %.2f s (exit code %lu), bare walk %.2f s (%d pairs): %.2f x (goal "
                    "<= 1.2); the walk "
                    "as a program of its own %.2f s: %.2f x; tandrelc /version %.2f s, a bare "
                    "console program %.2f s\n",
                    seconds[0], static_cast<unsigned long>(code), seconds[1], seen,
                    seconds[0] / seconds[1], seconds[2], seconds[0] / seconds[2], version, bare);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 400;
    const int updateFiles = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int engineFiles = argc > 3 ? std::atoi(argv[3]) : 2000;
    // Settings that tests left (a journal, faults) would slow or fail every call.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSimKey);
    const TempDir rootDir("tandrel-parallel");
    const std::string& root = rootDir.path();
    if (files > 0) {
        MakeTree(root + "\\src", files);
        // 160 files in each top folder.
        MakeTree(root + "\\steady", 1600);
        Scaling(root, "sleep:25", {1, 2, 4, 8}, files, false);
        Scaling(root, "cpu:25", {1, 2}, files, false);
        Scaling(root, "sleep:25;single-process", {1, 4}, files, true);
    }
    if (engineFiles > 0)
        AgainstEngine(root, engineFiles);
    if (updateFiles > 0)
        Update(root, updateFiles);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSimKey);
    return 0;
}
