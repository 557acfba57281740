#include "walk/CSourceWalk.h"

#include "framework/CFileFind.h"
#include "framework/MbcsText.h"

#include <algorithm>

bool CSourceWalk::Walk(const char* folder) {
    std::string path(folder);
    return WalkFolder(path);
}

bool CSourceWalk::WalkFolder(std::string& path) {
    if (!m_visitor.GoOn())
        return false;
    if (!m_chain.Enter(path.c_str()))
        return true;
    m_visitor.OnFolderEnter(path.c_str());
    const std::size_t folderEnd = path.size();
    if (!mbcs::EndsWithSeparator(path))
        path += '\\';
    const std::size_t nameStart = path.size();
    path += "*.*";
    bool goOn = true;
    std::vector<std::wstring> wideNames;
    std::vector<std::string> unheld; // the names met so far that the code page cannot hold
    CFileFind finder;
    BOOL working = finder.FindFile(path.c_str());
    // Only an empty drive lists nothing at all; any other folder that cannot be listed hides
    // what it holds.
    if (!working && GetLastError() != ERROR_FILE_NOT_FOUND) {
        path.resize(folderEnd);
        m_visitor.OnFolderUnlisted(path.c_str());
    }
    while (working && goOn) {
        working = finder.FindNextFile();
        goOn = m_visitor.GoOn();
        if (!goOn)
            break;
        path.resize(nameStart);
        path += finder.GetFileName().str();
        m_visitor.OnEntry(path.c_str());
        if (finder.IsHidden() || finder.IsDots())
            continue;
        const bool folder = finder.IsDirectory() != FALSE;
        if (!folder && !m_extensions.MatchesPath(path.c_str() + nameStart))
            continue;
        // No Windows name holds "?": the ANSI listing put it there for a character the code
        // page has not, and the entry cannot be reached under that name.
        if (mbcs::FindChar(path, '?', nameStart) != mbcs::npos) {
            const std::string name = path.substr(nameStart);
            const int nth = static_cast<int>(std::count(unheld.begin(), unheld.end(), name));
            unheld.push_back(name);
            m_visitor.OnNameNotHeld(path.c_str(),
                                    FullName(path.substr(0, folderEnd), name, nth, wideNames));
        } else if (folder) {
            // A stop during the sub-folder's last file still ends this level.
            goOn = WalkFolder(path) && m_visitor.GoOn();
        } else {
            FILETIME written = {};
            finder.GetLastWriteTime(&written);
            m_visitor.OnSourceFile(path.c_str(), written);
        }
    }
    path.resize(folderEnd);
    m_visitor.OnFolderLeave();
    m_chain.Leave();
    return goOn;
}

std::wstring CSourceWalk::FullName(const std::string& folder, const std::string& name, int nth,
                                   std::vector<std::wstring>& wideNames) {
    if (wideNames.empty())
        wideNames = CFileFind::WideNames(folder.c_str());
    const std::wstring base = mbcs::ToWide(mbcs::JoinPath(folder, ""));
    for (const std::wstring& wide : wideNames) {
        if (mbcs::FromWide(wide.c_str()) == name && nth-- == 0)
            return base + wide;
    }
    // Gone since the listing: the name as it was listed.
    return base + mbcs::ToWide(name);
}
