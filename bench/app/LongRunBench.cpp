// Jobs of 1,000 documents, one after another in one run of tandrel.exe driven as a person drives
// it, with a fault in every tenth document. After each job: the log must hold exactly the
// injected failures and every other document must be converted, and what the program holds
// (handles, GDI and USER objects, private bytes) is read from outside; from the second job on it
// must stay flat.
// Usage: bench_long_run [jobs] [files] [fault every] [no-death]   (defaults: 20 1000 10)
// no-death leaves out the application that dies while saving (see bench/README.md).
#include "ProcessCounters.h"

#include "../BenchClock.h"
#include "FailureLog.h"
#include "OfficeSim.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "TestDrive.h"
#include "framework/MbcsText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr char kFolder[] = "文档";
// Every way a file can fail with a log line, in turn; the last one ends the application.
constexpr const char* kRules[] = {"open-error:800A03EC:无法打开", "save-error:800A1066:磁盘已满",
                                  "close-error:800A1066:无法关闭", "save-fail:80004005",
                                  "save-die"};
constexpr int kRulesWithoutDeath = 4;

struct JobResult {
    double seconds = 0;
    bool logExact = false;
    int converted = 0;
    ProcessCounters counters;
};

std::string Name(int n) {
    char name[32];
    std::snprintf(name, sizeof(name), "f%04d", n);
    return name;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        lines.push_back(text.substr(start, end - start + 2));
    return lines;
}

class LongRun {
public:
    LongRun(int files, int faultEvery, int rules)
        : m_files(files), m_every(faultEvery), m_rules(rules) {}

    bool Prepare() {
        if (!m_drive.ok())
            return Fail("no drive letter from the mount manager");
        for (int n = 1; n <= m_files; ++n) {
            const std::string relative = std::string(kFolder) + "\\" + Name(n) + ".doc";
            OfficeSim::WriteDoc(m_sources.WriteFile(relative), "doc", "第" + Name(n) + "份");
            if (n % m_every == 0) {
                m_sim.Fault(Name(n) + ".doc", kRules[(n / m_every) % m_rules]);
                m_failures.push_back(FailureLogLine(m_drive.root() + relative));
            }
        }
        std::sort(m_failures.begin(), m_failures.end());
        m_app.SetJobLimit(3600 * 1000);
        if (!m_app.Start(TandrelApp::ProgramPath(TANDREL_EXE_FROM_HERE)))
            return Fail(m_app.LastError());
        RemoteTree& tree = m_app.SourceTree();
        HTREEITEM drive = tree.Find("(" + m_drive.root().substr(0, 2) + ")", false);
        if (drive == nullptr || !m_app.Expand(drive))
            return Fail("the test drive cannot be opened: " + m_app.LastError());
        HTREEITEM folder = tree.Child(drive, kFolder);
        if (folder == nullptr || !m_app.Select(tree, folder))
            return Fail("the document folder cannot be selected: " + m_app.LastError());
        CreateDirectoryA(m_out.c_str(), nullptr);
        return m_app.TypeOutputFolder(m_out) || Fail(m_app.LastError());
    }

    bool RunJob(JobResult* result) {
        RemoveTree(mbcs::JoinPath(m_out, kFolder));
        double start = bench::Now();
        if (!m_app.AddSelected(1) || !m_app.PressStart() || !m_app.WaitUntilStarted() ||
            !m_app.WaitUntilIdle(m_files))
            return Fail(m_app.LastError());
        result->seconds = bench::Now() - start;
        result->counters = ProcessCounters::Of(m_app.Process());
        std::vector<std::string> logged =
            Lines(ReadFileBytes(mbcs::JoinPath(m_out, "qorconvert.log")));
        std::sort(logged.begin(), logged.end());
        result->logExact = logged == m_failures;
        result->converted = 0;
        for (int n = 1; n <= m_files; ++n) {
            const std::string target = mbcs::JoinPath(m_out, std::string(kFolder) + "\\" + Name(n));
            std::string format, payload;
            result->converted += n % m_every != 0 &&
                                 OfficeSim::ReadDoc(target + ".qor", &format, &payload) &&
                                 format == "qor" && payload == "第" + Name(n) + "份";
        }
        m_sim.ClearJournal();
        return m_app.RemoveAll() || Fail(m_app.LastError());
    }

    int Expected() const { return m_files - static_cast<int>(m_failures.size()); }
    size_t Failures() const { return m_failures.size(); }
    HANDLE Process() const { return m_app.Process(); }
    bool Close() { return m_app.PressClose() || Fail(m_app.LastError()); }
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const std::string& what) {
        m_error = what;
        return false;
    }

    int m_files, m_every, m_rules;
    OfficeSim m_sim;
    TempDir m_sources{"longrun-src"};
    TempDir m_outputs{"longrun-out"};
    TestDrive m_drive{m_sources.path(), DRIVE_FIXED};
    std::string m_out = m_outputs / "out";
    std::vector<std::string> m_failures; // sorted log lines
    TandrelApp m_app;
    std::string m_error;
};

// A figure as printed: "n/a" where the platform gives no reading.
std::string Figure(long value) {
    return value < 0 ? "n/a" : std::to_string(value);
}

// How far a figure moves from the second job on; -1 where there is no reading.
long Spread(const std::vector<JobResult>& jobs, long ProcessCounters::*figure) {
    long low = jobs[1].counters.*figure, high = low;
    if (low < 0)
        return -1;
    for (size_t i = 1; i < jobs.size(); ++i) {
        low = std::min(low, jobs[i].counters.*figure);
        high = std::max(high, jobs[i].counters.*figure);
    }
    return high - low;
}

} // namespace

int main(int argc, char** argv) {
    const int jobs = argc > 1 ? std::atoi(argv[1]) : 20;
    const int files = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int every = argc > 3 ? std::atoi(argv[3]) : 10;
    const bool deaths = argc <= 4 || std::string(argv[4]) != "no-death";
    if (jobs < 2 || files < 1 || every < 1) {
        std::fprintf(stderr,
                     "usage: bench_long_run [jobs >= 2] [files] [fault every] [no-death]\n");
        return 2;
    }
    LongRun run(files, every, deaths ? static_cast<int>(std::size(kRules)) : kRulesWithoutDeath);
    if (!run.Prepare()) {
        std::fprintf(stderr, "bench_long_run: %s\n", run.Error().c_str());
        return 1;
    }
    std::printf("%d jobs of %d documents, %zu injected failures each%s\n%s\n\n", jobs, files,
                run.Failures(), deaths ? ", a fifth of them by the application dying" : "",
                ProcessCounters::Sources(run.Process()).c_str());
    std::printf("job  seconds  log exact  converted  handles  GDI  USER  windows  private KB\n");
    std::fflush(stdout);
    std::vector<JobResult> results;
    bool allExact = true;
    for (int job = 1; job <= jobs; ++job) {
        JobResult result;
        if (!run.RunJob(&result)) {
            std::fprintf(stderr, "bench_long_run: job %d: %s\n", job, run.Error().c_str());
            return 1;
        }
        allExact = allExact && result.logExact && result.converted == run.Expected();
        const ProcessCounters& c = result.counters;
        std::printf("%3d  %7.1f  %-9s  %4d/%-4d  %7s  %3s  %4s  %7ld  %10llu\n", job,
                    result.seconds, result.logExact ? "yes" : "NO", result.converted,
                    run.Expected(), Figure(c.handles).c_str(), Figure(c.gdiObjects).c_str(),
                    Figure(c.userObjects).c_str(), c.windows,
                    static_cast<unsigned long long>(c.privateBytes / 1024));
        std::fflush(stdout);
        results.push_back(result);
    }
    const long privateGrowthKb = static_cast<long>(results.back().counters.privateBytes / 1024) -
                                 static_cast<long>(results[1].counters.privateBytes / 1024);
    std::printf("\nfrom job 2 on: handles spread %s, GDI spread %s, USER spread %s, windows "
                "spread %ld, private bytes %+ld KB from job 2 to job %d\n",
                Figure(Spread(results, &ProcessCounters::handles)).c_str(),
                Figure(Spread(results, &ProcessCounters::gdiObjects)).c_str(),
                Figure(Spread(results, &ProcessCounters::userObjects)).c_str(),
                Spread(results, &ProcessCounters::windows), privateGrowthKb, jobs);
    std::printf("every log exact and every other document converted: %s\n",
                allExact ? "yes" : "NO");
    run.Close();
    return allExact ? 0 : 1;
}
