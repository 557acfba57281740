#include "convert/CConverter.h"
#include "convert/CallLimits.h"
#include "convert/ConvertJob.h"

#include "framework/COleMessageFilter.h"
#include "framework/CWinThread.h"
#include "framework/MbcsText.h"

#include <cstring>

namespace {

// A folder entry: same-folder and sub-folder rules, then the walk; ticked only when the walk left
// nothing undone. False when the owner chose to end the job.
bool ConvertFolderEntry(IJobEvents& events, CConverter& converter, const ConvertItem& item,
                        const CString& output) {
    if (item.strPath.CompareNoCase(output) == 0) {
        converter.m_bSameFolder = TRUE;
    } else if (CConverter::IsSubFolder(item.strPath, output)) {
        // Skipped: no walk, no tick; or the end of the job.
        return events.SkipEntryHoldingOutput(item.strPath);
    } else {
        converter.m_bSameFolder = FALSE;
    }
    if (converter.ConvertFolder(item.strPath, output, item.nType))
        events.OnEntryDone(item.hItem);
    return true;
}

void ConvertFileEntry(IJobEvents& events, CConverter& converter, const ConvertItem& item,
                      const CString& output) {
    if (!CConverter::IsSourceFile(item.strPath, item.nType))
        return;
    CString target = mbcs::JoinPath(output.str(), CConverter::MakeTargetName(item.strPath).str());
    if (converter.ConvertFile(item.strPath, target, item.nType))
        events.OnEntryDone(item.hItem);
}

} // namespace

bool ConvertJob::SetOutputDir(const char* folder) {
    size_t length = std::strlen(folder);
    if (length >= sizeof(szOutputDir))
        return false;
    std::memcpy(szOutputDir, folder, length + 1);
    return true;
}

UINT ConvertThreadProc(LPVOID pParam) {
    auto* job = static_cast<ConvertJob*>(pParam);
    if (job == nullptr)
        return 0;
    CConverter* converter = CConverter::LoadSlot(job->ppConverter);
    if (converter == nullptr || job->events == nullptr) {
        delete job;
        return 0;
    }
    IJobEvents& events = *job->events;
    converter->m_pEvents = &events;
    // The run flag is armed by the converter's creation, before the job is handed over; arming it
    // here again would undo a Stop pressed as soon as the started message arrived.
    events.OnJobStarted();
    const CString output(job->szOutputDir);
    CoInitialize(nullptr);
    // A busy application's rejections are retried for the whole job, not failed at once.
    const CallLimits limits = CallLimits::ForJobs();
    COleMessageFilter filter;
    filter.SetRetryReply(limits.nRetryPauseMs, limits.nRetryTimeMs);
    filter.Register();

    for (const ConvertItem& item : job->items) {
        // After a stop nothing more is converted, ticked or counted: a later Start does it.
        if (!converter->m_bRunning)
            break;
        if (events.IsEntryDone(item.hItem)) {
            events.OnEntrySkipped(item.nFileCount);
            continue;
        }
        if (CConverter::FolderHasEntries(item.strPath)) {
            if (!ConvertFolderEntry(events, *converter, item, output))
                break;
        } else {
            ConvertFileEntry(events, *converter, item, output);
        }
    }

    converter->QuitApplications();
    // Before the finished message: once it has arrived, Close may end the program at once.
    converter->EndApplications();
    events.OnJobFinished();
    CConverter::DetachFromSlot(job->ppConverter, converter);
    delete converter;
    delete job;
    filter.Revoke();
    CoUninitialize();
    return 0;
}

CHandle StartConvertThread(ConvertJob* job, DWORD* pThreadId) {
    CWinThread* thread =
        AfxBeginThread(&ConvertThreadProc, job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr)
        return CHandle();
    // Taken while the thread cannot have ended and deleted its object.
    CHandle done = thread->DuplicateHandle();
    if (pThreadId != nullptr)
        *pThreadId = thread->m_nThreadID;
    thread->ResumeThread();
    return done;
}
