#pragma once
// Drives the Qor word processor and the LX spreadsheet through OLE Automation, one file at a
// time, and keeps the log of the files whose conversion raised an automation error.
#include "framework/COleDispatchDriver.h"
#include "framework/CString.h"

class CAutomationBridge {
public:
    CAutomationBridge() = default;
    virtual ~CAutomationBridge();
    CAutomationBridge(const CAutomationBridge&) = delete;
    CAutomationBridge& operator=(const CAutomationBridge&) = delete;

    void ConvertFile(const CString& source, const CString& target, int nType);
    BOOL StartWordProcessor();
    BOOL StartSpreadsheet();
    void ConvertDocument(const CString& source, const CString& target);
    void ConvertWorkbook(const CString& source, const CString& target);
    // Quits the word processor and drops every automation reference.
    void Quit();

    void SetLogFolder(const CString& folder);
    void ClearLog();
    BOOL LogFailure(const CString& source);

    const CString& GetLogPath() const { return m_strLogPath; }

private:
    // The file failed inside the application: drop everything and log it.
    void GiveUp(COleDispatchDriver& openFile, const CString& source);

    CString m_strLogPath;
    COleDispatchDriver m_wpApp;
    COleDispatchDriver m_wpDocuments;
    COleDispatchDriver m_wpDocument;
    COleDispatchDriver m_ssServer;
    COleDispatchDriver m_ssApp;
    COleDispatchDriver m_ssWorkbooks;
    COleDispatchDriver m_ssWorkbook;
};
