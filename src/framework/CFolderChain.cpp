#include "framework/CFolderChain.h"

BOOL CFolderChain::Enter(const char* path) {
    Id id = Identify(path);
    if (id.known) {
        for (const Id& other : m_path) {
            if (other.known && other.volume == id.volume && other.high == id.high &&
                other.low == id.low)
                return FALSE;
        }
    }
    m_path.push_back(id);
    return TRUE;
}

void CFolderChain::Leave() {
    if (!m_path.empty())
        m_path.pop_back();
}

CFolderChain::Id CFolderChain::Identify(const char* path) {
    Id id = {false, 0, 0, 0};
    HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return id;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(folder, &info) &&
        (info.nFileIndexHigh != 0 || info.nFileIndexLow != 0))
        id = {true, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    CloseHandle(folder);
    return id;
}
