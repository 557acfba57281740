#include "convert/CConverter.h"

#include "framework/CFileFind.h"
#include "framework/MbcsText.h"
#include "shared/ConvertTable.h"

#include <mutex>

namespace {

// Guards the dialog's converter slot between the interface thread and the worker.
std::mutex g_slotLock;

} // namespace

CString CConverter::MapExtension(const CString& ext) {
    return ResultExtensionOf(ext);
}

CString CConverter::MakeTargetName(const CString& path) {
    mbcs::PathParts parts = mbcs::SplitPath(path.str());
    return CString(parts.fname) + MapExtension(parts.ext);
}

CString CConverter::GetFolderName(const CString& path) {
    CString folder = mbcs::DropTrailingSeparator(path.str());
    int sep = folder.ReverseFind('\\');
    return sep < 0 ? folder : folder.Mid(sep + 1);
}

BOOL CConverter::FolderHasEntries(const CString& path) {
    // "" would list the root of the current drive.
    if (path.IsEmpty())
        return FALSE;
    CFileFind finder;
    BOOL working = finder.FindFile(mbcs::JoinPath(path.str(), "*.*").c_str());
    while (working) {
        working = finder.FindNextFile();
        if (!finder.IsDots() && !finder.IsHidden())
            return TRUE;
    }
    return FALSE;
}

BOOL CConverter::IsSourceFile(const CString& path, int nType) {
    if (!SourceExtensionsOf(nType).MatchesPath(path))
        return FALSE;
    // Exactly that name, file or folder; unlike a search pattern, "*" and "?" match nothing else.
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL CConverter::IsSubFolder(const CString& source, const CString& output) {
    CString src = source, out = output;
    src.MakeLower();
    out.MakeLower();
    if (out.Left(src.GetLength()) != src)
        return FALSE;
    return mbcs::EndsWithSeparator(src.str()) ||
           (out.GetLength() > src.GetLength() && out[src.GetLength()] == '\\');
}

CString CConverter::MakeSubFolder(const CString& parent, const CString& name) {
    // Windows refuses these characters in a name; some hosts would create such a folder, so
    // refuse it here as Windows does.
    if (name.IsEmpty() || mbcs::FindFirstOf(name.str(), "\\/:*?\"<>|") != mbcs::npos)
        return CString();
    CString folder = mbcs::JoinPath(parent.str(), name.str());
    return CreateDirectoryA(folder, nullptr) ? folder : CString();
}

BOOL CConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    // Two sources of one name from two entries meet at one target: the first keeps it.
    if (WrittenByJob(target)) {
        FailFile(source);
        return TRUE;
    }
    return SettleFile(source, target, nType, m_bridge.ConvertFile(source, target, nType));
}

BOOL CConverter::SettleFile(const CString& source, const CString& target, int nType,
                            CAutomationBridge::Outcome outcome) {
    using Outcome = CAutomationBridge::Outcome;
    if (outcome == Outcome::CutShort)
        return FALSE;
    if (outcome == Outcome::Converted) {
        NoteWritten(target);
        if (m_pEvents != nullptr)
            m_pEvents->OnFileConverted(source);
        return TRUE;
    }
    if (outcome == Outcome::StartFailed && m_pEvents != nullptr)
        m_pEvents->OnApplicationNotStarted(CAutomationBridge::StartFailureText(nType));
    FailFile(source);
    // A file whose application is missing is left for a Start after it has been installed.
    return outcome == Outcome::Failed;
}

bool CConverter::WrittenByJob(const CString& target) const {
    std::string key = target.str();
    mbcs::FoldLower(key);
    return m_written.count(key) != 0;
}

void CConverter::NoteWritten(const CString& target) {
    std::string key = target.str();
    mbcs::FoldLower(key);
    m_written.insert(key);
}

void CConverter::FailFile(const CString& source) {
    const BOOL logged = m_bridge.LogFailure(source);
    if (m_pEvents == nullptr)
        return;
    m_pEvents->OnFileFailed(source);
    if (!logged)
        m_pEvents->OnLogLineLost(source);
}

BOOL CConverter::ConvertFolder(const CString& source, const CString& targetParent, int nType) {
    // "" would walk the root of the current drive.
    if (source.IsEmpty())
        return TRUE;
    CFolderChain chain;
    return WalkFolder(source, targetParent, nType, chain) ? TRUE : FALSE;
}

CString CConverter::ChooseTargetFolder(const CString& source, const CString& targetParent) const {
    if (m_bSameFolder)
        return source;
    // Nothing of a sub-tree whose mirror could not be made is written anywhere else.
    if (targetParent.IsEmpty())
        return CString();
    // A drive has no name to mirror: its results go straight into the target parent.
    if (mbcs::IsDriveRoot(source.str()))
        return targetParent;
    CString name = GetFolderName(source);
    CString mirror = mbcs::JoinPath(targetParent.str(), name.str());
    if (source.CompareNoCase(mirror) == 0)
        return source;
    if (GetFileAttributesA(mirror) != INVALID_FILE_ATTRIBUTES)
        return mirror;
    return MakeSubFolder(targetParent, name);
}

bool CConverter::WalkFolder(const CString& source, const CString& targetParent, int nType,
                            CFolderChain& chain) {
    if (!m_bRunning)
        return false;
    // A link back to a folder already being walked would recurse without end: leave it out.
    if (!chain.Enter(source))
        return true;
    CString target = ChooseTargetFolder(source, targetParent);
    bool complete = true;
    CFileFind finder;
    BOOL working = finder.FindFile(mbcs::JoinPath(source.str(), "*.*").c_str());
    // Only an empty drive lists nothing at all; any other folder that cannot be listed (too
    // long, access denied) hides its sources.
    if (!working && GetLastError() != ERROR_FILE_NOT_FOUND)
        FailFile(source);
    while (working) {
        working = finder.FindNextFile();
        CString entry = finder.GetFilePath();
        if (finder.IsDirectory() && !finder.IsDots() && !finder.IsHidden())
            complete = WalkFolder(entry, target, nType, chain) && complete;
        // A stop ends this level after the file in hand, before anything else it holds.
        if (!m_bRunning) {
            complete = false;
            break;
        }
        if (finder.IsDirectory() || finder.IsHidden())
            continue;
        complete = ConvertWalkedFile(entry, target, nType) && complete;
    }
    chain.Leave();
    return complete;
}

bool CConverter::ConvertWalkedFile(const CString& source, const CString& target, int nType) {
    if (!SourceExtensionsOf(nType).MatchesPath(source))
        return true;
    // A source that vanished since the listing is none; one out of the file functions' reach
    // is, and so is one whose mirror folder could not be made.
    const bool reachable = source.GetLength() < MAX_PATH;
    if (reachable && !IsSourceFile(source, nType))
        return true;
    if (!reachable || target.IsEmpty()) {
        FailFile(source);
        return true;
    }
    return ConvertFile(source, mbcs::JoinPath(target.str(), MakeTargetName(source).str()).c_str(),
                       nType) != FALSE;
}

void CConverter::StoreInSlot(CConverter** slot, CConverter* converter) {
    std::lock_guard<std::mutex> hold(g_slotLock);
    *slot = converter;
}

CConverter* CConverter::LoadSlot(CConverter** slot) {
    std::lock_guard<std::mutex> hold(g_slotLock);
    return *slot;
}

void CConverter::StopInSlot(CConverter** slot) {
    std::lock_guard<std::mutex> hold(g_slotLock);
    if (*slot != nullptr)
        (*slot)->m_bRunning = FALSE;
}

bool CConverter::DetachFromSlot(CConverter** slot, CConverter* converter) {
    std::lock_guard<std::mutex> hold(g_slotLock);
    // An abandoned slot may lie in memory that is no longer its owner's.
    if (converter->m_bAbandoned || *slot != converter)
        return false;
    *slot = nullptr;
    return true;
}

void CConverter::AbandonSlot(CConverter** slot) {
    std::lock_guard<std::mutex> hold(g_slotLock);
    CConverter* converter = *slot;
    if (converter == nullptr)
        return;
    converter->m_bAbandoned = true;
    converter->m_bRunning = FALSE;
    converter->m_bridge.Abandon();
    *slot = nullptr;
}
