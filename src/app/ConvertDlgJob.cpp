// The main window's side of a conversion job: output folder, Start, Stop, Close, progress.
#include "app/ConvertDlg.h"

#include "convert/CConverter.h"
#include "app/DialogJobEvents.h"
#include "convert/ConvertJob.h"
#include "framework/AfxMessageBox.h"
#include "framework/MbcsText.h"
#include "framework/FolderTree.h"
#include "res/resource.h"
#include "shared/UserMessages.h"

#include <shlobj.h>

#include <new>
#include <utility>

namespace {

constexpr char kCaption[] = "批量转换工具";
constexpr char kNothingToConvert[] = "没有需要转换的文件或保存路径为空";
constexpr char kPathTooLong[] = "保存路径太长,请选择一个较短的目录";
constexpr char kCreateFolder[] = "保存路径不存在,创建新目录吗?";
constexpr char kCreateFailed[] = "目录创建失败,请重试";
constexpr char kFileCountFormat[] = "转换文件数: %d";
constexpr char kLogNotWritable[] = "无法在保存路径中创建日志文件,请选择可以写入的目录:\n%s";
constexpr char kJobNotice[] = "有 %d 个文件转换失败,请查看日志文件:\n%s";
constexpr char kLostLines[] = "\n\n以下 %d 个失败的文件未能写入日志:";
// More lost lines than this make the box taller than the screen.
constexpr size_t kLostLinesShown = 10;
constexpr DWORD kCloseWaitMs = 5000;

// The controls a running job disables, in the order they are disabled.
constexpr int kJobControls[] = {IDC_ADD,        IDC_REMOVE,      IDC_BROWSE, IDC_START,
                                IDC_RADIO_WORD, IDC_RADIO_EXCEL, IDOK};

} // namespace

void CConvertDlg::OnBrowseFolder() {
    UpdateData(TRUE);
    BROWSEINFOA info = {};
    LPITEMIDLIST pidl = SHBrowseForFolderA(&info);
    if (pidl == nullptr)
        return;
    CString path;
    if (!SHGetPathFromIDListA(pidl, path.GetBuffer(MAX_PATH)))
        path.GetBuffer(MAX_PATH)[0] = '\0';
    path.ReleaseBuffer();
    CoTaskMemFree(pidl);
    if (path.IsEmpty())
        return;
    m_strOutputDir = path;
    SetDlgItemText(IDC_OUTPUT_DIR, m_strOutputDir);
}

void CConvertDlg::OnStartConvert() {
    if (m_bJobStarting)
        return;
    UpdateData(TRUE);
    if (m_strOutputDir.IsEmpty() || m_listTree.GetCount() == 0) {
        AfxShowMessageBox(m_hWnd, kNothingToConvert, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_strOutputDir.GetLength() >= MAX_PATH) {
        AfxShowMessageBox(m_hWnd, kPathTooLong, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!CheckOutputDir(m_strOutputDir))
        return;
    auto* converter = new (std::nothrow) CConverter;
    if (converter == nullptr)
        return;
    CConverter::StoreInSlot(&m_pConverter, converter);
    auto* job = new (std::nothrow) ConvertJob;
    if (job == nullptr || !job->SetOutputDir(m_strOutputDir) || !StartLog(*converter)) {
        delete job;
        if (CConverter::DetachFromSlot(&m_pConverter, converter))
            delete converter;
        return;
    }
    job->events = std::make_shared<CDialogJobEvents>(m_hWnd);
    m_listTree.CopyEntries(job->items);
    job->ppConverter = &m_pConverter;

    m_nDoneCount = 0;
    m_progress.SetRange32(0, m_nFileCount);
    m_progress.SetPos(0);
    if (!StartWorker(job)) {
        delete job;
        if (CConverter::DetachFromSlot(&m_pConverter, converter))
            delete converter;
    }
}

// Nothing is converted into a folder that cannot take the log: its failures would go unnamed.
BOOL CConvertDlg::StartLog(CConverter& converter) {
    converter.SetLogFolder(m_strOutputDir);
    if (!converter.ClearLog()) {
        CString text;
        text.Format(kLogNotWritable, static_cast<const char*>(m_strOutputDir));
        AfxShowMessageBox(m_hWnd, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_strLogPath = converter.m_bridge.GetLogPath();
    m_nFailedCount = 0;
    m_lostLogLines.clear();
    return TRUE;
}

BOOL CConvertDlg::StartWorker(ConvertJob* pJob) {
    DWORD id = 0;
    CHandle worker = StartConvertThread(pJob, &id);
    if (!worker)
        return FALSE;
    // Kept beside the self-deleting thread object, so Close can still wait for the thread.
    m_hWorkerThread = std::move(worker);
    m_nWorkerThreadID = id;
    m_bJobStarting = TRUE;
    return TRUE;
}

BOOL CConvertDlg::CheckOutputDir(const CString& folder) {
    // Any existing object passes, a file as well as a folder.
    if (GetFileAttributesA(mbcs::DropTrailingSeparator(folder.str()).c_str()) !=
        INVALID_FILE_ATTRIBUTES)
        return TRUE;
    if (AfxMessageBox(kCreateFolder, MB_OKCANCEL) != IDOK)
        return FALSE;
    if (CreateDirTree(folder))
        return TRUE;
    AfxMessageBox(kCreateFailed, MB_OK);
    return FALSE;
}

BOOL CConvertDlg::CreateDirTree(const CString& path) {
    return ::CreateDirTree(path);
}

void CConvertDlg::OnStopConvert() {
    CConverter::StopInSlot(&m_pConverter);
}

void CConvertDlg::OnCloseButton() {
    CConverter::StopInSlot(&m_pConverter);
    if (IsWorkerRunning())
        StopThread(m_hWorkerThread.Get(), kCloseWaitMs);
    // A worker still running is left behind; no application it started may outlive the program.
    if (IsWorkerRunning())
        CConverter::AbandonSlot(&m_pConverter);
    CDialog::OnOK();
}

BOOL CConvertDlg::IsWorkerRunning() const {
    return m_hWorkerThread && WaitForSingleObject(m_hWorkerThread.Get(), 0) == WAIT_TIMEOUT;
}

// Waits for the thread but keeps answering messages sent to this thread meanwhile: a worker
// inside SendMessage to this window would otherwise never end.
DWORD CConvertDlg::StopThread(HANDLE hThread, DWORD nTimeout) {
    PostThreadMessageA(m_nWorkerThreadID, WM_QUIT, 0, 0);
    DWORD deadline = GetTickCount() + nTimeout;
    for (;;) {
        DWORD now = GetTickCount();
        DWORD left = static_cast<int>(deadline - now) > 0 ? deadline - now : 0;
        DWORD woke = MsgWaitForMultipleObjects(1, &hThread, FALSE, left, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    DWORD code = 0;
    if (!GetExitCodeThread(hThread, &code))
        code = 0;
    return code;
}

CConvertDlg::~CConvertDlg() {
    // A worker abandoned by Close still owns its converter; only a finished job's is ours. The
    // slot goes with this window, so such a worker must never write to it again.
    if (IsWorkerRunning()) {
        CConverter::AbandonSlot(&m_pConverter);
    } else {
        CConverter* converter = CConverter::LoadSlot(&m_pConverter);
        if (converter != nullptr && CConverter::DetachFromSlot(&m_pConverter, converter))
            delete converter;
    }
}

LRESULT CConvertDlg::OnItemConverted(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        m_listTree.SetCheck(reinterpret_cast<HTREEITEM>(lParam), TRUE);
        return 1;
    }
    m_nDoneCount += static_cast<int>(wParam);
    m_progress.SetPos(m_nDoneCount);
    return 1;
}

LRESULT CConvertDlg::OnConvertState(WPARAM, LPARAM lParam) {
    if (lParam != 0 && lParam != 1)
        return 1;
    m_bJobStarting = FALSE;
    EnableJobControls(lParam == 1);
    if (lParam == 1) {
        MessageBeep(MB_OK);
        // Posted: the worker is not kept waiting while the user reads it.
        if (m_nFailedCount > 0)
            PostMessage(UWM_JOB_NOTICE, 0, 0);
    }
    return 1;
}

LRESULT CConvertDlg::OnFileFailed(const char*) {
    ++m_nFailedCount;
    return OnItemConverted(1, 0);
}

void CConvertDlg::OnJobNotice() {
    CString text, part;
    text.Format(kJobNotice, m_nFailedCount, static_cast<const char*>(m_strLogPath));
    if (!m_lostLogLines.empty()) {
        part.Format(kLostLines, static_cast<int>(m_lostLogLines.size()));
        text += part;
    }
    for (size_t i = 0; i < m_lostLogLines.size() && i < kLostLinesShown; ++i)
        text += "\n" + m_lostLogLines[i];
    if (m_lostLogLines.size() > kLostLinesShown)
        text += "\n...";
    AfxShowMessageBox(m_hWnd, text, kCaption, MB_OK | MB_ICONWARNING);
}

void CConvertDlg::EnableJobControls(BOOL bEnable) {
    for (int id : kJobControls)
        ::EnableWindow(GetDlgItem(id), bEnable);
    ::EnableWindow(GetDlgItem(IDC_STOP), !bEnable);
}

LRESULT CConvertDlg::OnIsItemChecked(WPARAM, LPARAM lParam) {
    return m_listTree.GetCheck(reinterpret_cast<HTREEITEM>(lParam)) ? 1 : 0;
}

LRESULT CConvertDlg::OnListCount(WPARAM, LPARAM lParam) {
    m_nFileCount += static_cast<int>(lParam);
    UpdateFileCount(m_nFileCount);
    return 1;
}

void CConvertDlg::UpdateFileCount(int nCount) {
    EnableWindow(TRUE);
    CString text;
    text.Format(kFileCountFormat, nCount);
    SetDlgItemText(IDC_FILE_COUNT, text);
}
