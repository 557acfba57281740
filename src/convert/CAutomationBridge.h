#pragma once
// Drives the Qor word processor and the LX spreadsheet through OLE Automation, one file at a
// time, says how each file ended, and keeps the log of the files that failed. Every call is
// watched: an application that hangs is ended, and the file fails like any other.
#include "convert/CCallWatchdog.h"
#include "convert/CServerProcesses.h"
#include "framework/COleDispatchDriver.h"
#include "framework/CString.h"

#include <atomic>
#include <mutex>

class CAutomationBridge {
public:
    CAutomationBridge();
    virtual ~CAutomationBridge();
    CAutomationBridge(const CAutomationBridge&) = delete;
    CAutomationBridge& operator=(const CAutomationBridge&) = delete;

    enum class Outcome {
        Converted,     // the target was written
        Failed,        // the application could not convert it
        CutShort,      // a stop ended its call: not done, neither failed nor converted
        StartFailed,   // its application could not be started, just now
        NoApplication, // its application could not be started earlier in this job
    };

    // The error the application (or the automation layer) raised for the last file; code 0 when
    // none was raised.
    struct FileError {
        SCODE code = 0;
        CString description;
    };

    Outcome ConvertFile(const CString& source, const CString& target, int nType);
    const FileError& LastError() const { return m_lastError; }
    Outcome ConvertDocument(const CString& source, const CString& target);
    Outcome ConvertWorkbook(const CString& source, const CString& target);
    BOOL StartWordProcessor();
    BOOL StartSpreadsheet();
    // What the user is told when the application of a type cannot be started.
    static const char* StartFailureText(int nType);
    // Quits the word processor and drops every automation reference.
    void Quit();
    // After the last Quit of a job: drops what is still held and makes sure that no application
    // this job started stays; each gets a few seconds to end by itself.
    void EndApplications();
    // The job's window is gone while the job still runs: ends its applications now.
    void Abandon() { m_processes.Abandon(); }
    // Several bridges of one job create their applications one at a time under this lock, so
    // that each claims only the processes of its own creations.
    void ShareCreations(std::mutex* pCreations) { m_pCreations = pCreations; }
    // The job's run flag: after a stop, a call gets only a short grace time.
    void WatchStopFlag(const std::atomic<int>* pRunning) { m_watchdog.WatchStopFlag(pRunning); }

    void SetLogFolder(const CString& folder);
    // FALSE when the log cannot be made: the output folder cannot be written.
    BOOL ClearLog();
    BOOL LogFailure(const CString& source);

    const CString& GetLogPath() const { return m_strLogPath; }

private:
    // The file failed inside the application: everything is dropped. CutShort when the failure
    // was a stop ending its call.
    Outcome GiveUp(COleDispatchDriver& openFile);
    // A call after a complete save failed: the application is dropped, the result stands.
    Outcome DropAfterSave(COleDispatchDriver& openFile, const CString& target);
    // After a failed quit: the word processor's reference goes, and its process with it.
    void DropWordProcessor();
    // Creates an application, claiming the process that its creation starts.
    BOOL CreateApplication(COleDispatchDriver& app, int nApp, const char* progId);
    void NoteError(const COleException& error);
    // Makes one automation call to application nApp under the watchdog.
    template <class Call> void Watched(int nApp, Call call);

    CString m_strLogPath;
    COleDispatchDriver m_wpApp;
    COleDispatchDriver m_wpDocuments;
    COleDispatchDriver m_wpDocument;
    COleDispatchDriver m_ssServer;
    COleDispatchDriver m_ssApp;
    COleDispatchDriver m_ssWorkbooks;
    COleDispatchDriver m_ssWorkbook;

    FileError m_lastError;
    std::mutex* m_pCreations = nullptr;
    // Set by a failed creation: the job does not try that application again.
    bool m_bUnavailable[2] = {false, false};
    DWORD m_nQuitWaitMs;
    CServerProcesses m_processes;
    CCallWatchdog m_watchdog{m_processes};
};
