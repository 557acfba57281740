#include "TestDrive.h"

#include "WineHost.h"

#include <winioctl.h>

#include <cstring>
#include <vector>

namespace {

// Wine's mount manager extension (its ddk/mountmgr.h).
struct UnixDrive {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
const DWORD kDefineUnixDrive =
    CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

} // namespace

TestDrive::TestDrive(const std::string& folder, UINT nDriveType) {
    std::string unixPath = UnixPathOf(folder);
    if (unixPath.empty())
        return;
    DWORD used = GetLogicalDrives();
    for (char letter = 'T'; letter <= 'Y'; ++letter) {
        if (!(used & (1u << (letter - 'A'))) && Define(letter, nDriveType, unixPath)) {
            m_letter = letter;
            return;
        }
    }
}

TestDrive::~TestDrive() {
    if (m_letter != 0)
        Define(m_letter, DRIVE_NO_ROOT_DIR, std::string());
}

bool TestDrive::Define(char letter, UINT nDriveType, const std::string& unixPath) {
    HANDLE mgr =
        CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (mgr == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> buf(sizeof(UnixDrive) + unixPath.size() + 1);
    UnixDrive* drive = reinterpret_cast<UnixDrive*>(buf.data());
    drive->size = static_cast<ULONG>(unixPath.empty() ? sizeof(UnixDrive) : buf.size());
    drive->type = nDriveType;
    drive->letter = static_cast<WCHAR>(letter - 'A' + 'a');
    if (!unixPath.empty()) {
        drive->mount_point_offset = sizeof(UnixDrive);
        memcpy(buf.data() + sizeof(UnixDrive), unixPath.c_str(), unixPath.size() + 1);
    }
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(mgr, kDefineUnixDrive, buf.data(), drive->size, nullptr, 0, &returned,
                              nullptr);
    CloseHandle(mgr);
    return ok && (unixPath.empty() ||
                  GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) == nDriveType);
}
