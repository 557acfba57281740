#include "convert/CConverter.h"

#include "framework/CFileFind.h"
#include "framework/MbcsText.h"
#include "shared/ConvertTable.h"
#include "walk/CSourceWalk.h"

#include <mutex>
#include <vector>

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

class CConverter::WalkVisitor : public ISourceVisitor {
public:
    WalkVisitor(CConverter& converter, const CString& targetParent, int nType)
        : m_converter(converter), m_targets(1, targetParent), m_nType(nType) {}

    bool GoOn() override { return m_converter.m_bRunning != 0; }
    void OnFolderEnter(const char* folder) override {
        m_targets.push_back(m_converter.ChooseTargetFolder(folder, m_targets.back()));
    }
    void OnFolderLeave() override { m_targets.pop_back(); }
    void OnSourceFile(const char* path, const FILETIME& listedWrite) override {
        if (!m_converter.ConvertWalkedFile(path, m_targets.back(), m_nType, listedWrite))
            m_bComplete = false;
    }
    void OnFolderUnlisted(const char* path) override { m_converter.FailFile(path); }
    void OnNameNotHeld(const char* path, const std::wstring& fullName) override {
        if (m_converter.m_pEvents != nullptr)
            m_converter.m_pEvents->OnNameNotHeld(path, fullName);
        m_converter.FailFile(path);
    }

    // Whether every file met is done (none left for a later Start).
    bool m_bComplete = true;

private:
    CConverter& m_converter;
    std::vector<CString> m_targets; // the mirror of each folder on the walk's path
    const int m_nType;
};

BOOL CConverter::ConvertFolder(const CString& source, const CString& targetParent, int nType) {
    // "" would walk the root of the current drive.
    if (source.IsEmpty())
        return TRUE;
    const CExtensionList extensions = SourceExtensionsOf(nType);
    WalkVisitor visitor(*this, targetParent, nType);
    const bool finished = CSourceWalk(extensions, visitor).Walk(source);
    return finished && visitor.m_bComplete ? TRUE : FALSE;
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

bool CConverter::ConvertWalkedFile(const CString& source, const CString& targetFolder, int nType,
                                   const FILETIME& listedWrite) {
    const bool reachable = source.GetLength() < MAX_PATH;
    const CString target =
        targetFolder.IsEmpty()
            ? CString()
            : CString(mbcs::JoinPath(targetFolder.str(), MakeTargetName(source).str()));
    if (reachable && !target.IsEmpty() && SettleListed(source, target, listedWrite))
        return true;
    // A source that vanished since the listing is none; one out of the file functions' reach
    // is, and so is one whose mirror folder could not be made.
    if (reachable && !IsSourceFile(source, nType))
        return true;
    if (!reachable || target.IsEmpty()) {
        FailFile(source);
        return true;
    }
    return ConvertFile(source, target, nType) != FALSE;
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
