#include "framework/CFolderChain.h"

#include <winternl.h>

namespace {

HANDLE OpenFolder(const char* path) {
    return CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

BOOL CFolderChain::Enter(const char* path) {
    Id id = {ReadIndex(path), path, 0, 0};
    if (id.index != 0) {
        for (Id& other : m_path) {
            if (other.index == id.index && SameVolume(other, id))
                return FALSE;
        }
    }
    m_path.push_back(std::move(id));
    return TRUE;
}

void CFolderChain::Leave() {
    if (!m_path.empty())
        m_path.pop_back();
}

// The index GetFileInformationByHandle gives, without the volume that call also reads.
ULONGLONG CFolderChain::ReadIndex(const char* path) {
    HANDLE folder = OpenFolder(path);
    if (folder == INVALID_HANDLE_VALUE)
        return 0;
    IO_STATUS_BLOCK io = {};
    FILE_INTERNAL_INFORMATION info = {};
    NTSTATUS status =
        NtQueryInformationFile(folder, &io, &info, sizeof(info), FileInternalInformation);
    CloseHandle(folder);
    return status >= 0 ? static_cast<ULONGLONG>(info.IndexNumber.QuadPart) : 0;
}

BOOL CFolderChain::SameVolume(Id& a, Id& b) {
    for (Id* id : {&a, &b}) {
        if (id->volumeState != 0)
            continue;
        id->volumeState = -1;
        HANDLE folder = OpenFolder(id->path.c_str());
        BY_HANDLE_FILE_INFORMATION info;
        if (folder != INVALID_HANDLE_VALUE && GetFileInformationByHandle(folder, &info)) {
            id->volume = info.dwVolumeSerialNumber;
            id->volumeState = 1;
        }
        if (folder != INVALID_HANDLE_VALUE)
            CloseHandle(folder);
    }
    return a.volumeState == 1 && b.volumeState == 1 && a.volume == b.volume;
}
