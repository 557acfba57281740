#include "FileVersion.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string Numbers(DWORD high, DWORD low) {
    char text[64];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", HIWORD(high), LOWORD(high), HIWORD(low),
                  LOWORD(low));
    return text;
}

} // namespace

FileVersion::FileVersion(const std::string& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return;
    m_block.resize(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, m_block.data()) ||
        !VerQueryValueA(m_block.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        m_block.clear();
        return;
    }
    m_fileNumbers = Numbers(info->dwFileVersionMS, info->dwFileVersionLS);
    m_productNumbers = Numbers(info->dwProductVersionMS, info->dwProductVersionLS);
}

std::string FileVersion::Value(const std::string& name) const {
    if (!Loaded())
        return std::string();
    std::vector<char> block(m_block); // VerQueryValue may write into the block it reads
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return std::string();
    char query[128];
    std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                  translation[1], name.c_str());
    char* text = nullptr;
    if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length))
        return std::string();
    return text;
}
