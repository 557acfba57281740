#pragma once
// Whole jobs through tandrel.exe as a person runs them, against the stand-in servers. Starting
// the program costs seconds, so the cases of one test suite share one program run: each case
// writes its sources under a folder of its own on the suite's test drive, converts into an
// output folder of its own and leaves the conversion list empty for the next case. After a case
// that failed, the next one starts the program afresh.
#include "OfficeSim.h"
#include "TandrelApp.h"
#include "TempDir.h"
#include "TestDrive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ProgramFixture : public testing::Test {
public:
    // The suite drives tandrel.exe; a suite of its own may name another build of the program.
    static void SetUpTestSuite() { SetUpSuiteFor(TANDREL_EXE_FROM_HERE); }
    static void SetUpSuiteFor(const char* programFromHere);
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    static TandrelApp& App();
    static const TestDrive& Drive();
    // The full path of a source given relative to the test drive's root.
    static std::string Source(const std::string& relative);
    // Writes a stand-in document (format "" for one without header), its folders first.
    static std::string WriteDoc(const std::string& relative, const std::string& format,
                                const std::string& payload);
    static std::string MakeFolder(const std::string& relative);
    // A fresh output folder of this case's own.
    static std::string Output(const std::string& name);

    // The source tree's item for a path on the test drive, opening the folders on the way. With
    // fresh, the drive is first closed, so that the tree reads what the case has just written.
    HTREEITEM SourceItem(const std::string& relative, bool fresh = true);
    // Chooses the kind, selects these sources (a click, then Ctrl-clicks, in display order) and
    // presses ">>": one entry each.
    void Add(const std::vector<std::string>& relatives, bool sheet = false);
    // Types the output folder, presses Start and waits until Start has got past its checks.
    void Start(const std::string& output);
    // The same for a job whose log cannot be made: waits until the job is seen running, so the
    // job must last a moment.
    void StartWithoutLog(const std::string& output);
    // Waits until the job has ended with the progress at pos of max.
    void WaitForEnd(int pos, int max);
    // The window after a job: each entry's tick in list order, the progress bar and the count.
    void ExpectWindow(const std::vector<bool>& ticks, int pos, int max, int count);
    // No stand-in server is left running once the job has ended.
    void ExpectNoServerLeft();
    // The end-of-job notice of a job with failures, naming the log of output folder out and the
    // sources (relative) whose log lines were lost; answered with OK.
    void ExpectNotice(int failed, const std::string& out,
                      const std::vector<std::string>& lost = {});
    // The rule every job keeps: each source (relative to the drive, under the selected folder
    // parent) is either converted to its mirror path under out, or named in out's log; never
    // both, never neither.
    static void ExpectConvertedOrLogged(const std::string& out, const std::string& parent,
                                        const std::vector<std::string>& sources);
    // The log line of a source (relative to the drive's root), CR LF included.
    static std::string LogLine(const std::string& relative);
    // The sources under a folder (relative paths) in the order a job meets them: depth first,
    // in the file system's own listing order, hidden entries left out.
    static std::vector<std::string> WalkOrder(const std::string& relativeFolder);

    OfficeSim sim;

private:
    // An ASSERT that fails inside a helper (Add, Start, ...) ends the case, not only the helper:
    // a case that went on would press Start with nothing added and fail far from the cause.
    class EndCaseOnFatalFailure : public testing::EmptyTestEventListener {
        void OnTestPartResult(const testing::TestPartResult& result) override;
    };
    EndCaseOnFatalFailure m_endCase;
};
