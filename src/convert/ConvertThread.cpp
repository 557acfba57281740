#include "convert/CConverter.h"
#include "convert/CallLimits.h"
#include "convert/ConvertJob.h"

#include "framework/AfxMessageBox.h"
#include "framework/COleMessageFilter.h"
#include "framework/MbcsText.h"
#include "shared/UserMessages.h"

#include <cstring>

namespace {

constexpr char kCaption[] = "批量转换工具";
constexpr char kSubFolderError[] =
    "转换错误:目标文件夹是源文件夹的子目录\n单击\"确定\"跳过这个文件继续转换";

LRESULT Tell(const ConvertJob& job, UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(job.hWndOwner, msg, wParam, lParam);
}

// A folder entry: same-folder and sub-folder rules, then the walk; ticked only when the walk
// was not cut short by a stop. False when the user chose to end the job.
bool ConvertFolderEntry(const ConvertJob& job, CConverter& converter, const ConvertItem& item,
                        const CString& output) {
    if (item.strPath.CompareNoCase(output) == 0) {
        converter.m_bSameFolder = 1;
    } else if (CConverter::IsSubFolder(item.strPath, output)) {
        // OK skips this entry (no walk, no tick); Cancel ends the job.
        return AfxShowMessageBox(nullptr, kSubFolderError, kCaption, MB_OKCANCEL | MB_ICONHAND) ==
               IDOK;
    } else {
        converter.m_bSameFolder = 0;
    }
    converter.m_hNotifyWnd = job.hWndOwner;
    if (converter.ConvertFolder(item.strPath, output, item.nType))
        Tell(job, UWM_ITEM_CONVERTED, 0, reinterpret_cast<LPARAM>(item.hItem));
    return true;
}

void ConvertFileEntry(const ConvertJob& job, CConverter& converter, const ConvertItem& item,
                      const CString& output) {
    if (!CConverter::IsSourceFile(item.strPath, item.nType))
        return;
    CString target = mbcs::JoinPath(output.str(), CConverter::MakeTargetName(item.strPath).str());
    // A file that a stop cut short is not done: neither counted nor ticked.
    if (!converter.ConvertFile(item.strPath, target, item.nType))
        return;
    Tell(job, UWM_ITEM_CONVERTED, 1, 0);
    Tell(job, UWM_ITEM_CONVERTED, 0, reinterpret_cast<LPARAM>(item.hItem));
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
    if (converter == nullptr) {
        delete job;
        return 0;
    }
    // The run flag is armed by the converter's creation, before the job is handed over; arming it
    // here again would undo a Stop pressed as soon as the started message arrived.
    Tell(*job, UWM_CONVERT_STATE, 0, 0);
    const CString output(job->szOutputDir);
    CoInitialize(nullptr);
    // A busy application's rejections are retried for the whole job, not failed at once.
    const CallLimits limits = CallLimits::ForJobs();
    COleMessageFilter filter;
    filter.SetRetryReply(limits.nRetryPauseMs, limits.nRetryTimeMs);
    filter.Register();

    for (const ConvertItem& item : job->items) {
        // After a stop nothing more is converted, ticked or counted: a later Start does it.
        if (converter->m_bRunning == 0)
            break;
        if (Tell(*job, UWM_IS_ITEM_CHECKED, 0, reinterpret_cast<LPARAM>(item.hItem)) != 0) {
            Tell(*job, UWM_ITEM_CONVERTED, static_cast<WPARAM>(item.nFileCount), 0);
            continue;
        }
        if (CConverter::FolderHasEntries(item.strPath)) {
            if (!ConvertFolderEntry(*job, *converter, item, output))
                break;
        } else {
            ConvertFileEntry(*job, *converter, item, output);
        }
    }

    converter->QuitApplications();
    // Before the finished message: once it has arrived, Close may end the program at once.
    converter->EndApplications();
    Tell(*job, UWM_CONVERT_STATE, 0, 1);
    CConverter::DetachFromSlot(job->ppConverter, converter);
    delete converter;
    delete job;
    filter.Revoke();
    CoUninitialize();
    return 0;
}
