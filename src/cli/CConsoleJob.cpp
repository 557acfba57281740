#include "cli/CConsoleJob.h"

#include "cli/CConsoleConverter.h"
#include "cli/ConsoleTexts.h"
#include "framework/FolderTree.h"
#include "framework/MbcsText.h"
#include "shared/ConvertTable.h"
#include "walk/CSourceCount.h"

#include <algorithm>

namespace {

// The job whose stop Ctrl+C requests: the console control handler carries no context of its own.
std::atomic<CConsoleJob*> g_active{nullptr};

// Roomier than MAX_PATH, so that a path that is too long is told apart from one that fails.
constexpr DWORD kLongPath = 32768;

CString FullPath(const CString& path) {
    std::string full(kLongPath, '\0');
    DWORD length = GetFullPathNameA(path, kLongPath, &full[0], nullptr);
    if (length == 0 || length >= kLongPath)
        return CString();
    full.resize(length);
    return CString(full);
}

// An entry's path as the conversion list holds it: full, without a trailing "\" unless it is
// a drive root.
CString EntryPath(const CString& path) {
    CString full = FullPath(path);
    return mbcs::IsDriveRoot(full.str()) ? full : CString(mbcs::DropTrailingSeparator(full.str()));
}

} // namespace

CConsoleJob::CConsoleJob(CConsoleOut& out)
    : m_out(out), m_events(std::make_shared<CConsoleEvents>(out)) {}

CConsoleJob::~CConsoleJob() {
    SetConsoleCtrlHandler(&CConsoleJob::OnConsoleControl, FALSE);
    g_active = nullptr;
}

int CConsoleJob::Run(const CCommandLine& cmd) {
    m_bCountFirst = !cmd.m_bUpdate;
    g_active = this;
    SetConsoleCtrlHandler(&CConsoleJob::OnConsoleControl, TRUE);
    m_nDirection = cmd.m_nDirection;
    auto job = std::make_unique<ConvertJob>();
    if (!AddSources(cmd) || !PrepareOutput(cmd.m_strOutputDir, *job))
        return EXIT_USAGE;
    if (!cmd.m_strReport.IsEmpty() && !OpenReport(cmd.m_strReport))
        return EXIT_USAGE;
    std::vector<CString> paths;
    for (size_t i = 0; i < m_items.size(); ++i) {
        // Under /update the walk is the only pass: the total is known once the job has ended.
        if (m_items[i].nFileCount < 0 && m_bCountFirst)
            m_items[i].nFileCount = CountEntry(m_items[i].strPath, KindOfType(m_items[i].nType));
        m_nTotal += m_items[i].nFileCount;
        paths.push_back(m_items[i].strPath);
    }
    m_events->Begin(paths, m_bCountFirst ? m_nTotal : -1, cmd.m_bQuiet);
    if (!m_bStopRequested && !RunWorker(std::move(job), cmd))
        return EXIT_USAGE;
    return Summarize(cmd);
}

bool CConsoleJob::AddSources(const CCommandLine& cmd) {
    for (const CString& source : cmd.m_sources) {
        if (m_bStopRequested)
            return true;
        CString path = EntryPath(source);
        DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return Refuse(texts::kSourceMissing, source);
        const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        size_t added = m_items.size();
        for (int nKind = 0; nKind < 2; ++nKind) {
            if ((cmd.m_nKinds & (1 << nKind)) == 0)
                continue;
            // A file is an entry of the kind it belongs to; a folder one of every kind chosen,
            // counted once every source is known to exist.
            int count = folder ? -1 : CountEntry(path, nKind);
            if (count == 0)
                continue;
            ConvertItem item;
            item.hItem = CConsoleEvents::ItemOf(m_items.size());
            item.strPath = path;
            item.nFileCount = count;
            item.nType = ConvertTypeOf(m_nDirection, nKind);
            m_items.push_back(item);
        }
        if (m_items.size() == added && !m_bStopRequested)
            return Refuse(texts::kNotASource, source);
    }
    return true;
}

bool CConsoleJob::PrepareOutput(const CString& folder, ConvertJob& job) {
    CString full = FullPath(folder);
    if (full.IsEmpty() || !job.SetOutputDir(full))
        return Refuse(texts::kOutputTooLong, folder);
    DWORD attributes = GetFileAttributesA(mbcs::DropTrailingSeparator(full.str()).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return Refuse(texts::kOutputIsFile, folder);
    if (attributes == INVALID_FILE_ATTRIBUTES && !CreateDirTree(full))
        return Refuse(texts::kOutputNotCreated, folder);
    return true;
}

int CConsoleJob::CountEntry(const CString& path, int nKind) {
    const CExtensionList extensions = SourceExtensionsOf(ConvertTypeOf(m_nDirection, nKind));
    return CSourceCount(extensions, m_bCounting).CountPath(path);
}

bool CConsoleJob::OpenReport(const CString& path) {
    CString full = FullPath(path);
    if (full.IsEmpty() || !m_report.Open(full))
        return Refuse(texts::kReportNotCreated, path);
    m_events->SetReport(&m_report);
    return true;
}

bool CConsoleJob::RunWorker(std::unique_ptr<ConvertJob> job, const CCommandLine& cmd) {
    auto* converter = new CConsoleConverter(*m_events, cmd.m_bUpdate, cmd.m_nJobs);
    CConverter::StoreInSlot(&m_pConverter, converter);
    if (m_bStopRequested) // Ctrl+C while the slot was still empty
        CConverter::StopInSlot(&m_pConverter);
    converter->SetLogFolder(job->szOutputDir);
    // Nothing is converted into a folder that cannot take the log.
    if (!converter->ClearLog()) {
        CConverter::DetachFromSlot(&m_pConverter, converter);
        delete converter;
        return Refuse(texts::kLogNotWritable, job->szOutputDir);
    }
    m_strLogPath = converter->m_bridge.GetLogPath();
    job->events = m_events;
    job->items = m_items;
    job->ppConverter = &m_pConverter;

    ConvertJob* started = job.release();
    CHandle done = StartConvertThread(started);
    if (!done) {
        CConverter::DetachFromSlot(&m_pConverter, converter);
        delete converter;
        delete started;
        return Refuse(texts::kNotStarted, CString());
    }
    WaitForSingleObject(done.Get(), INFINITE);
    return true;
}

int CConsoleJob::Summarize(const CCommandLine& cmd) {
    const int converted = m_events->FilesConverted();
    const int failed = m_events->FilesFailed();
    const int upToDate = m_events->FilesUpToDate();
    if (!m_bCountFirst)
        m_nTotal = CountAfterJob();
    const int skipped = std::max(0, m_nTotal - converted - failed - upToDate);
    if (!cmd.m_bQuiet) {
        CString line;
        line.Format(texts::kSummary, converted, failed, skipped);
        if (cmd.m_bUpdate) {
            CString more;
            more.Format(texts::kSummaryUpToDate, upToDate);
            line += more;
        }
        m_out.Line(line);
        if (failed > 0) {
            line.Format(texts::kLogPath, static_cast<const char*>(m_strLogPath));
            m_out.Line(line);
        }
        if (m_bStopRequested)
            ListNotDone();
    }
    if (!m_report.Close())
        m_out.Error(CString(texts::kPrefix) + texts::kReportIncomplete + ": " + cmd.m_strReport);
    for (const CString& lost : m_events->LostLogLines())
        m_out.Error(CString(texts::kPrefix) + texts::kLogLineLost + ": " + lost);
    for (const std::wstring& name : m_events->NamesNotHeld())
        m_out.Error(CString(texts::kPrefix) + texts::kNameNotHeld + ": ", name);
    if (m_events->ApplicationNotStarted())
        return EXIT_NO_APPLICATION;
    if (m_bStopRequested)
        return EXIT_STOPPED;
    return failed > 0 || skipped > 0 ? EXIT_FAILED : EXIT_DONE;
}

int CConsoleJob::CountAfterJob() {
    int total = m_events->FilesConverted() + m_events->FilesFailed() + m_events->FilesUpToDate();
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_events->IsTicked(i))
            continue;
        // An entry left undone: what the walk never reached of it.
        int count = m_items[i].nFileCount >= 0
                        ? m_items[i].nFileCount
                        : CountEntry(m_items[i].strPath, KindOfType(m_items[i].nType));
        total += std::max(0, count - m_events->FilesMet(i));
    }
    return total;
}

void CConsoleJob::ListNotDone() {
    m_out.Line(texts::kStopped);
    CString last; // a folder of both kinds is two entries in a row: name it once
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_events->IsTicked(i))
            continue;
        if (m_items[i].strPath != last)
            m_out.Line("  " + m_items[i].strPath);
        last = m_items[i].strPath;
    }
}

void CConsoleJob::RequestStop() {
    m_bStopRequested = true;
    // Counting after the job, for the summary, is not cut short.
    if (m_bCountFirst)
        m_bCounting = 0;
    CConverter::StopInSlot(&m_pConverter);
}

bool CConsoleJob::Refuse(const char* what, const CString& detail) {
    m_out.Error(CString(texts::kPrefix) + what + (detail.IsEmpty() ? CString() : ": " + detail));
    return false;
}

BOOL WINAPI CConsoleJob::OnConsoleControl(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE;
    if (CConsoleJob* job = g_active)
        job->RequestStop();
    return TRUE;
}
