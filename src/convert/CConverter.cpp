#include "convert/CConverter.h"

#include "framework/CExtensionList.h"
#include "framework/CFileFind.h"
#include "framework/MbcsText.h"
#include "shared/UserMessages.h"

#include <mutex>

namespace {

struct ExtensionPair {
    const char* source;
    const char* result;
};

// Templates map to templates; the result depends on the source extension only.
constexpr ExtensionPair kExtensionMap[] = {
    {".doc", ".qor"}, {".dot", ".qot"}, {".xls", ".lx"}, {".xlt", ".lxt"},
    {".qor", ".doc"}, {".qot", ".dot"}, {".lx", ".xls"}, {".lxt", ".xlt"},
};

const char* SourceList(int nType) {
    switch (nType) {
    case 1:
        return ".qor|.qot";
    case 2:
        return ".lx|.lxt";
    case 3:
        return ".doc|.dot";
    case 4:
        return ".xls|.xlt";
    default:
        return nullptr;
    }
}

// Guards the dialog's converter slot between the interface thread and the worker.
std::mutex g_slotLock;

} // namespace

CString CConverter::MapExtension(const CString& ext) {
    CString lower = ext;
    lower.MakeLower();
    for (const ExtensionPair& pair : kExtensionMap) {
        if (lower.CompareNoCase(pair.source) == 0)
            return pair.result;
    }
    return CString();
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
    if (!CExtensionList::FromList(SourceList(nType)).MatchesPath(path))
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
    // Windows refuses these characters in a name (the root C:\\ is named "C:"); some hosts
    // would create such a folder, so refuse it here as Windows does.
    if (name.IsEmpty() || mbcs::FindFirstOf(name.str(), "\\/:*?\"<>|") != mbcs::npos)
        return parent;
    CString folder = mbcs::JoinPath(parent.str(), name.str());
    return CreateDirectoryA(folder, nullptr) ? folder : parent;
}

BOOL CConverter::ConvertFile(const CString& source, const CString& target, int nType) {
    return m_bridge.ConvertFile(source, target, nType);
}

BOOL CConverter::ConvertFolder(const CString& source, const CString& targetParent, int nType) {
    // "" would walk the root of the current drive.
    if (source.IsEmpty())
        return TRUE;
    CFolderChain chain;
    return WalkFolder(source, targetParent, nType, chain) ? TRUE : FALSE;
}

CString CConverter::ChooseTargetFolder(const CString& source, const CString& targetParent) const {
    if (m_bSameFolder == 1)
        return source;
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
    if (m_bRunning == 0)
        return false;
    // A link back to a folder already being walked would recurse without end: leave it out.
    if (!chain.Enter(source))
        return true;
    CString target = ChooseTargetFolder(source, targetParent);
    bool complete = true;
    CFileFind finder;
    BOOL working = finder.FindFile(mbcs::JoinPath(source.str(), "*.*").c_str());
    while (working) {
        working = finder.FindNextFile();
        CString entry = finder.GetFilePath();
        if (finder.IsDirectory() && !finder.IsDots() && !finder.IsHidden())
            WalkFolder(entry, target, nType, chain);
        // A stop ends this level after the file in hand, before anything else it holds.
        if (m_bRunning == 0) {
            complete = false;
            break;
        }
        if (finder.IsDirectory() || finder.IsHidden() || !IsSourceFile(entry, nType))
            continue;
        if (ConvertFile(entry, mbcs::JoinPath(target.str(), MakeTargetName(entry).str()).c_str(),
                        nType))
            SendMessageA(m_hNotifyWnd, UWM_ITEM_CONVERTED, 1, 0);
    }
    chain.Leave();
    return complete;
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
        (*slot)->m_bRunning = 0;
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
    converter->m_bRunning = 0;
    converter->m_bridge.Abandon();
    *slot = nullptr;
}
