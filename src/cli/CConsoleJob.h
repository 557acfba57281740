#pragma once
// One tandrelc run: the sources become conversion-list entries with their counts, the output
// folder is made ready as Start does, and the worker runs the job exactly as for the window,
// reporting on the console; Ctrl+C stops it as Stop does.
#include "cli/CCommandLine.h"
#include "cli/CConsoleOut.h"
#include "cli/CConsoleEvents.h"
#include "cli/CJobReport.h"
#include "convert/ConvertJob.h"

#include <atomic>
#include <memory>
#include <vector>

class CConsoleJob {
public:
    // What scripts can rely on.
    enum ExitCode {
        EXIT_DONE = 0,           // everything converted
        EXIT_FAILED = 1,         // some files failed (named in the log) or were skipped
        EXIT_USAGE = 2,          // bad command line, missing source, unusable output folder
        EXIT_NO_APPLICATION = 3, // an office application could not be started
        EXIT_STOPPED = 4,        // stopped by Ctrl+C
    };

    explicit CConsoleJob(CConsoleOut& out);
    ~CConsoleJob();
    CConsoleJob(const CConsoleJob&) = delete;
    CConsoleJob& operator=(const CConsoleJob&) = delete;

    int Run(const CCommandLine& cmd);
    // Ctrl+C: clears the run flag as Stop does; during the counting, ends the counting.
    void RequestStop();

private:
    bool AddSources(const CCommandLine& cmd);
    bool PrepareOutput(const CString& folder, ConvertJob& job);
    int CountEntry(const CString& path, int nKind);
    bool OpenReport(const CString& path);
    bool RunWorker(std::unique_ptr<ConvertJob> job, const CCommandLine& cmd);
    int Summarize(const CCommandLine& cmd);
    // The files the job stood for: those it met, and the rest of each entry it left undone.
    int CountAfterJob();
    void ListNotDone();
    bool Refuse(const char* what, const CString& detail);

    static BOOL WINAPI OnConsoleControl(DWORD type);

    CConsoleOut& m_out;
    std::atomic<int> m_bCounting{1}; // the counting goes on while set; Ctrl+C clears it
    std::atomic<bool> m_bStopRequested{false};
    // Counted before the job (for the progress counter), or, under /update, only after it.
    std::atomic<bool> m_bCountFirst{true};
    CConverter* m_pConverter = nullptr; // the job's converter slot, as the dialog has it
    std::shared_ptr<CConsoleEvents> m_events;
    std::vector<ConvertItem> m_items;
    int m_nDirection = 0;
    int m_nTotal = 0;
    CString m_strLogPath;
    CJobReport m_report;
};
