#include "convert/CAutomationBridge.h"

#include "convert/CallLimits.h"
#include "framework/MbcsText.h"
#include "shared/ConvertTable.h"

#include <cstdio>

namespace {

// Dispatch identifiers of the two applications' automation interfaces.
constexpr DISPID kWpVisible = 23;
constexpr DISPID kWpDocuments = 6;
constexpr DISPID kWpOpen = 18;
constexpr DISPID kWpDocSaved = 4101;
constexpr DISPID kWpSaveAs = 376;
constexpr DISPID kWpCloseOrQuit = 1105;
constexpr DISPID kSsApplication = 1;
constexpr DISPID kSsWorkbooks = 572;
constexpr DISPID kSsDisplayAlerts = 1695;
constexpr DISPID kSsOpen = 682;
constexpr DISPID kSsSaveAs = 284;
constexpr DISPID kSsClose = 277;

// The two applications, as the watchdog and the process list tell them apart: by the kind each
// converts.
constexpr int kWord = KIND_DOCUMENT;
constexpr int kSheet = KIND_SPREADSHEET;
constexpr char kWordProgId[] = "Qor.Application";
constexpr char kSheetProgId[] = "LX.Exe";

constexpr char kLogName[] = "qorconvert.log";
constexpr char kLogVerdict[] = "  转换失败\n";

#define VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT
#define VTS_VARIANT_4 VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT

// A file's size and time of last writing; exists is false when there is no such file.
struct FileStamp {
    bool exists = false;
    ULONGLONG size = 0;
    FILETIME written = {};
};

FileStamp StampOf(const char* path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        stamp.exists = true;
        stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = data.ftLastWriteTime;
    }
    return stamp;
}

// Runs a save call. A save that fails part-way (the application dies while writing) may leave a
// cut-short target that would pass for a result: what the failed save wrote is removed, a file
// it never touched stays. The failure itself goes on to the caller.
template <class Save> void SaveOrDiscard(const CString& target, Save save) {
    const FileStamp before = StampOf(target);
    try {
        save();
    } catch (...) {
        const FileStamp after = StampOf(target);
        if (after.exists && (!before.exists || after.size != before.size ||
                             CompareFileTime(&after.written, &before.written) != 0))
            DeleteFileA(target);
        throw;
    }
}

// A save that returned normally has still written nothing when its target is not there.
bool TargetWritten(const CString& target) {
    return StampOf(target).exists;
}

} // namespace

CAutomationBridge::CAutomationBridge() {
    const CallLimits limits = CallLimits::ForJobs();
    m_nQuitWaitMs = limits.nQuitWaitMs;
    m_watchdog.SetLimits(limits.nCallLimitMs, limits.nStopGraceMs);
}

CAutomationBridge::~CAutomationBridge() {
    EndApplications();
}

template <class Call> void CAutomationBridge::Watched(int nApp, Call call) {
    CCallWatchdog::CCall watched(m_watchdog, nApp);
    call();
}

CAutomationBridge::Outcome CAutomationBridge::ConvertFile(const CString& source,
                                                          const CString& target, int nType) {
    const int nApp = KindOfType(nType);
    if (nApp < 0)
        return Outcome::Failed;
    const bool word = nApp == kWord;
    m_lastError = FileError();
    if (m_bUnavailable[nApp])
        return Outcome::NoApplication;
    // An application that starts but then fails its first calls cannot convert this file:
    // count it as a failed conversion, and the next file starts afresh.
    try {
        if (!(word ? StartWordProcessor() : StartSpreadsheet())) {
            // A start that a stop cut short did not fail.
            if (m_watchdog.CutByStop())
                return Outcome::CutShort;
            m_bUnavailable[nApp] = true;
            return Outcome::StartFailed;
        }
    } catch (const COleException& error) {
        NoteError(error);
        return GiveUp(m_wpDocument);
    }
    return word ? ConvertDocument(source, target) : ConvertWorkbook(source, target);
}

const char* CAutomationBridge::StartFailureText(int nType) {
    return KindOfType(nType) == kWord ? "Qor启动失败" : "LX启动失败";
}

BOOL CAutomationBridge::CreateApplication(COleDispatchDriver& app, int nApp, const char* progId) {
    std::unique_lock<std::mutex> alone;
    if (m_pCreations != nullptr)
        alone = std::unique_lock<std::mutex>(*m_pCreations);
    m_processes.BeginStart(nApp, progId);
    BOOL created = FALSE;
    Watched(nApp, [&] { created = app.CreateDispatch(progId); });
    m_processes.EndStart(nApp, created != FALSE);
    return created;
}

BOOL CAutomationBridge::StartWordProcessor() {
    if (m_wpApp.m_lpDispatch != nullptr)
        return TRUE;
    if (!CreateApplication(m_wpApp, kWord, kWordProgId))
        return FALSE;
    Watched(kWord, [&] { m_wpApp.SetProperty(kWpVisible, VT_BOOL, FALSE); });
    LPDISPATCH documents = nullptr;
    Watched(kWord, [&] { m_wpApp.GetProperty(kWpDocuments, VT_DISPATCH, &documents); });
    m_wpDocuments.AttachDispatch(documents);
    return TRUE;
}

BOOL CAutomationBridge::StartSpreadsheet() {
    if (m_ssServer.m_lpDispatch != nullptr)
        return TRUE;
    if (!CreateApplication(m_ssServer, kSheet, kSheetProgId))
        return FALSE;
    LPDISPATCH app = nullptr;
    Watched(kSheet, [&] { m_ssServer.GetProperty(kSsApplication, VT_DISPATCH, &app); });
    m_ssApp.AttachDispatch(app);
    LPDISPATCH workbooks = nullptr;
    Watched(kSheet, [&] { m_ssApp.GetProperty(kSsWorkbooks, VT_DISPATCH, &workbooks); });
    m_ssWorkbooks.AttachDispatch(workbooks);
    Watched(kSheet, [&] { m_ssApp.SetProperty(kSsDisplayAlerts, VT_BOOL, FALSE); });
    return TRUE;
}

CAutomationBridge::Outcome CAutomationBridge::ConvertDocument(const CString& source,
                                                              const CString& target) {
    COleVariant vSource(source), vTarget(target);
    COleVariant vOmitted = OleOmittedArgument();
    COleVariant vTwo(static_cast<short>(2)), vZero(static_cast<short>(0)),
        vOne(static_cast<short>(1));
    VARIANT* o = vOmitted;
    bool saved = false;
    try {
        LPDISPATCH document = nullptr;
        Watched(kWord, [&] {
            m_wpDocuments.InvokeHelper(
                kWpOpen, DISPATCH_METHOD, VT_DISPATCH, &document,
                VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
                static_cast<VARIANT*>(vSource), o, static_cast<VARIANT*>(vOne), o, o, o, o, o, o, o,
                o, o, o, o, o);
        });
        if (document == nullptr)
            return Outcome::Failed;
        m_wpDocument.AttachDispatch(document);
        Watched(kWord, [&] { m_wpDocument.SetProperty(kWpDocSaved, VT_BOOL, FALSE); });
        SaveOrDiscard(target, [&] {
            CCallWatchdog::CCall watched(m_watchdog, kWord);
            m_wpDocument.InvokeHelper(kWpSaveAs, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                      VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4,
                                      static_cast<VARIANT*>(vTarget), static_cast<VARIANT*>(vZero),
                                      o, o, o, o, o, o, o, o, o, o, o, o, o, o);
        });
        saved = true;
        Watched(kWord, [&] {
            m_wpDocument.InvokeHelper(kWpCloseOrQuit, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                      VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
                                      static_cast<VARIANT*>(vZero), static_cast<VARIANT*>(vTwo), o);
        });
        m_wpDocument.ReleaseDispatch();
    } catch (const COleException& error) {
        NoteError(error);
        return saved ? DropAfterSave(m_wpDocument, target) : GiveUp(m_wpDocument);
    }
    return TargetWritten(target) ? Outcome::Converted : Outcome::Failed;
}

CAutomationBridge::Outcome CAutomationBridge::ConvertWorkbook(const CString& source,
                                                              const CString& target) {
    COleVariant vOmitted = OleOmittedArgument();
    const VARIANT* o = vOmitted;
    bool saved = false;
    try {
        LPDISPATCH workbook = nullptr;
        Watched(kSheet, [&] {
            m_ssWorkbooks.InvokeHelper(kSsOpen, DISPATCH_METHOD, VT_DISPATCH, &workbook,
                                       VTS_BSTR VTS_VARIANT_4 VTS_VARIANT_4 VTS_VARIANT_4,
                                       static_cast<const char*>(source), o, o, o, o, o, o, o, o, o,
                                       o, o, o);
        });
        if (workbook == nullptr)
            return Outcome::Failed;
        m_ssWorkbook.AttachDispatch(workbook);
        SaveOrDiscard(target, [&] {
            CCallWatchdog::CCall watched(m_watchdog, kSheet);
            m_ssWorkbook.InvokeHelper(kSsSaveAs, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                      VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I4 VTS_VARIANT_4,
                                      static_cast<const char*>(target), o, o, o, o, o, 0L, o, o, o,
                                      o);
        });
        saved = true;
        Watched(kSheet, [&] {
            m_ssWorkbook.InvokeHelper(kSsClose, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                      VTS_I2 VTS_I2 VTS_I2, 0, 0, 0);
        });
        m_ssWorkbook.ReleaseDispatch();
    } catch (const COleException& error) {
        NoteError(error);
        return saved ? DropAfterSave(m_ssWorkbook, target) : GiveUp(m_ssWorkbook);
    }
    return TargetWritten(target) ? Outcome::Converted : Outcome::Failed;
}

void CAutomationBridge::NoteError(const COleException& error) {
    m_lastError.code = error.GetErrorCode();
    m_lastError.description = error.GetDescription();
}

CAutomationBridge::Outcome CAutomationBridge::GiveUp(COleDispatchDriver& openFile) {
    // Read before Quit, whose own calls are watched afresh.
    const bool stopped = m_watchdog.CutByStop();
    openFile.ReleaseDispatch();
    Quit();
    return stopped ? Outcome::CutShort : Outcome::Failed;
}

CAutomationBridge::Outcome CAutomationBridge::DropAfterSave(COleDispatchDriver& openFile,
                                                            const CString& target) {
    openFile.ReleaseDispatch();
    Quit();
    return TargetWritten(target) ? Outcome::Converted : Outcome::Failed;
}

void CAutomationBridge::Quit() {
    m_wpDocuments.ReleaseDispatch();
    try {
        COleVariant vZero(static_cast<short>(0));
        COleVariant vOmitted = OleOmittedArgument();
        Watched(kWord, [&] {
            m_wpApp.InvokeHelper(kWpCloseOrQuit, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
                                 static_cast<VARIANT*>(vZero), static_cast<VARIANT*>(vOmitted),
                                 static_cast<VARIANT*>(vOmitted));
        });
        m_wpApp.ReleaseDispatch();
    } catch (const COleException&) {
        DropWordProcessor();
    }
    // Also after a failed quit: the spreadsheet may be one that the watchdog has ended.
    m_ssWorkbooks.ReleaseDispatch();
    m_ssApp.ReleaseDispatch();
    m_ssServer.ReleaseDispatch();
}

void CAutomationBridge::DropWordProcessor() {
    m_wpApp.ReleaseDispatch();
    // One that refuses to quit would stay, hidden, for ever.
    m_processes.End(kWord);
}

void CAutomationBridge::EndApplications() {
    m_ssWorkbook.ReleaseDispatch();
    m_ssWorkbooks.ReleaseDispatch();
    m_ssApp.ReleaseDispatch();
    m_ssServer.ReleaseDispatch();
    m_wpDocument.ReleaseDispatch();
    m_wpDocuments.ReleaseDispatch();
    m_wpApp.ReleaseDispatch();
    m_processes.EndAll(m_nQuitWaitMs);
}

void CAutomationBridge::SetLogFolder(const CString& folder) {
    m_strLogPath = mbcs::JoinPath(folder.str(), kLogName);
}

BOOL CAutomationBridge::ClearLog() {
    FILE* file = std::fopen(m_strLogPath, "w");
    if (file == nullptr)
        return FALSE;
    std::fclose(file);
    return TRUE;
}

BOOL CAutomationBridge::LogFailure(const CString& source) {
    FILE* file = std::fopen(m_strLogPath, "a+");
    if (file == nullptr)
        return FALSE;
    CString line = source + kLogVerdict;
    std::fwrite(static_cast<const char*>(line), 1, static_cast<size_t>(line.GetLength()), file);
    std::fclose(file);
    return TRUE;
}
