#include "common/StandInFile.h"

#include <vector>

namespace {

constexpr char kHeaderStart[] = "OFFICESIM ";
constexpr size_t kHeaderStartLength = sizeof(kHeaderStart) - 1;
constexpr const char* kFormats[] = {"doc", "dot", "xls", "xlt", "qor", "qot", "lx", "lxt"};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return m_handle; }
    bool ok() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

DWORD ReadAll(HANDLE file, std::string* bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return GetLastError();
    if (size.QuadPart > 0x7FFFFFFF)
        return ERROR_FILE_TOO_LARGE;
    bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    if (!bytes->empty() &&
        !ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &done, nullptr))
        return GetLastError();
    bytes->resize(done);
    return 0;
}

} // namespace

DWORD StandInFile::Read(const std::wstring& path, std::string* format, std::string* payload) {
    if (path.size() >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok())
        return GetLastError();
    std::string bytes;
    if (DWORD error = ReadAll(file.get(), &bytes))
        return error;
    format->clear();
    *payload = bytes;
    size_t lineEnd = bytes.find("\r\n");
    if (bytes.compare(0, kHeaderStartLength, kHeaderStart) != 0 || lineEnd == std::string::npos)
        return 0;
    std::string name = bytes.substr(kHeaderStartLength, lineEnd - kHeaderStartLength);
    if (IsFormat(name)) {
        *format = name;
        *payload = bytes.substr(lineEnd + 2);
    }
    return 0;
}

std::string StandInFile::Compose(const std::string& format, const std::string& payload) {
    return kHeaderStart + format + "\r\n" + payload;
}

DWORD StandInFile::WriteBytes(const std::wstring& path, const std::string& bytes) {
    // An application on Windows cannot replace a read-only file (Wine run by root could), nor
    // reach a path of MAX_PATH characters or more unless it is made for long paths (Wine can).
    if (path.size() >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok())
        return GetLastError();
    DWORD done = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
        return GetLastError();
    return done == bytes.size() ? 0 : ERROR_WRITE_FAULT;
}

std::string StandInFile::FormatOf(const std::wstring& path) {
    std::wstring name = FileName(path);
    size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos)
        return std::string();
    std::string extension;
    for (wchar_t c : name.substr(dot + 1)) {
        if (c > 0x7F)
            return std::string();
        extension += static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
    }
    return IsFormat(extension) ? extension : std::string();
}

std::wstring StandInFile::FileName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool StandInFile::IsFormat(const std::string& name) {
    for (const char* format : kFormats) {
        if (name == format)
            return true;
    }
    return false;
}
