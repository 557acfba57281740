#pragma once
// The owner of a console job: follows the job's entries and files as the window does (ticks,
// progress, failures), shows the progress on the console and tells on the error stream what
// the window shows in boxes. Called on the worker thread; read once the worker has ended.
#include "cli/CConsoleOut.h"
#include "cli/CJobReport.h"
#include "convert/IJobEvents.h"

#include <string>
#include <vector>

class CConsoleEvents : public IJobEvents {
public:
    explicit CConsoleEvents(CConsoleOut& out) : m_out(out) {}

    // Entry n of the job goes as item handle n + 1; total is the files they stand for, or -1
    // when they are not counted before the job.
    void Begin(const std::vector<CString>& entryPaths, int total, bool quiet);
    static HTREEITEM ItemOf(size_t index);
    // Where each file's row goes; null for no report.
    void SetReport(CJobReport* report) { m_pReport = report; }
    // A file goes to the application (shown on the console); later, on the same thread, how it
    // ended is settled for the entry it belongs to: done is false when the file was left for a
    // later run; code and description are the error its application raised.
    void OnFileBegin(const CString& source);
    void OnFileSettling(const CString& source, const CString& target, size_t entry);
    void OnFileSettled(bool done, SCODE code, const CString& description, DWORD ms);
    // The entry whose walk is in progress.
    size_t CurrentEntry() const { return m_nCurrent; }
    // A file whose target is already as new as it is (/update): not converted again.
    void OnFileUpToDate(const CString& source, const CString& target);

    int FilesConverted() const { return m_nConverted; }
    int FilesFailed() const { return m_nFailed; }
    int FilesUpToDate() const { return m_nUpToDate; }
    // The files of entry index that the walk met, whatever became of them.
    int FilesMet(size_t index) const { return m_met[index]; }
    bool ApplicationNotStarted() const { return m_bNoApplication; }
    bool IsTicked(size_t index) const { return m_ticked[index]; }
    const std::vector<CString>& LostLogLines() const { return m_lostLogLines; }
    // The real names of the failures whose names the code page cannot hold.
    const std::vector<std::wstring>& NamesNotHeld() const { return m_namesNotHeld; }

    void OnJobStarted() override {}
    bool IsEntryDone(HTREEITEM hItem) override;
    void OnEntrySkipped(int nFiles) override { m_nDone += nFiles; }
    void OnEntryDone(HTREEITEM hItem) override;
    void OnFileConverted(const CString& source) override;
    void OnFileFailed(const CString& source) override;
    void OnLogLineLost(const CString& source) override { m_lostLogLines.push_back(source); }
    void OnNameNotHeld(const CString& source, const std::wstring& fullName) override;
    void OnApplicationNotStarted(const char* text) override;
    bool SkipEntryHoldingOutput(const CString& entry) override;
    void OnJobFinished() override {}

private:
    // The entry of an item handle, or npos for a handle of no entry.
    size_t IndexOf(HTREEITEM hItem) const;
    void Report(const CString& source, const CString& target, const char* result, SCODE code,
                const CString& description, DWORD ms);
    // The report's form of source: its real name when the code page cannot hold it.
    std::string ReportedName(const CString& source) const;

    // The file between OnFileSettling and OnFileSettled, and what the engine said of it.
    struct InHand {
        bool active = false;
        CString source;
        CString target;
        size_t entry = 0;
        const char* result = nullptr;
    };

    CConsoleOut& m_out;
    std::vector<CString> m_paths;
    std::vector<bool> m_ticked;
    std::vector<bool> m_undone;      // entries with a file left for a later run
    std::vector<int> m_met;          // files met by the walk, per entry
    std::vector<std::string> m_told; // applications said not to start
    CString m_lastNotHeld;           // the "?" form of the last name told not held
    size_t m_nCurrent = 0;
    int m_nInFlight = 0; // files gone to the application and not yet settled
    std::vector<CString> m_lostLogLines;
    std::vector<std::wstring> m_namesNotHeld;
    int m_nTotal = 0;
    int m_nDone = 0;
    int m_nConverted = 0;
    int m_nFailed = 0;
    int m_nUpToDate = 0;
    InHand m_inHand;
    CJobReport* m_pReport = nullptr;
    bool m_bNoApplication = false;
    bool m_bQuiet = false;
};
