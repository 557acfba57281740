#include "walk/CSourceCount.h"

#include "framework/CFileFind.h"
#include "framework/MbcsText.h"
#include "walk/CSourceWalk.h"

int CSourceCount::CountPath(const char* path) {
    if (HasMatchingContent(path, m_extensions, m_bShowFiles))
        return CountFolder(path);
    return CountFile(path);
}

int CSourceCount::CountFile(const char* path) {
    if (m_bContinue == 0)
        return 0;
    OnEntry(path);
    return m_extensions.MatchesPath(path) ? 1 : 0;
}

int CSourceCount::CountFolder(const char* path) {
    // "" would count the current folder.
    if (path == nullptr || *path == '\0')
        return 0;
    m_nCount = 0;
    return CSourceWalk(m_extensions, *this).Walk(path) ? m_nCount : 0;
}

bool CSourceCount::HasMatchingContent(const char* path, const CExtensionList& extensions,
                                      bool bShowFiles) {
    // Without a path the pattern would search the current folder instead.
    if (path == nullptr || *path == '\0')
        return false;
    if (mbcs::IsDriveRoot(path))
        return true;
    CFileFind finder;
    BOOL working = finder.FindFile(mbcs::JoinPath(path, "*.*").c_str());
    while (working) {
        working = finder.FindNextFile();
        if (finder.IsDirectory()) {
            if (!finder.IsDots())
                return true;
        } else if (bShowFiles && !finder.IsHidden() &&
                   extensions.MatchesPath(finder.GetFileName())) {
            return true;
        }
    }
    return false;
}

void CSourceCount::OnEntry(const char* path) {
    if (m_examine)
        m_examine(path);
}

void CSourceCount::OnSourceFile(const char*, const FILETIME&) {
    if (m_bShowFiles)
        ++m_nCount;
}
