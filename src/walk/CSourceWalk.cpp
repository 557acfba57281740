#include "walk/CSourceWalk.h"

#include "framework/CFileFind.h"
#include "framework/MbcsText.h"

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
        // A stop during the sub-folder's last file still ends this level.
        if (finder.IsDirectory())
            goOn = WalkFolder(path) && m_visitor.GoOn();
        else if (m_extensions.MatchesPath(path.c_str() + nameStart))
            m_visitor.OnSourceFile(path.c_str());
    }
    path.resize(folderEnd);
    m_visitor.OnFolderLeave();
    m_chain.Leave();
    return goOn;
}
