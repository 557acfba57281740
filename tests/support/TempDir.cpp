#include "TempDir.h"

#include "WalkOrder.h"
#include "framework/MbcsText.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void MakeParents(const std::string& path) {
    for (size_t sep = mbcs::FindChar(path, '\\', 3); sep != mbcs::npos;
         sep = mbcs::FindChar(path, '\\', sep + 1))
        CreateDirectoryA(path.substr(0, sep).c_str(), nullptr);
}

void ListTree(const std::string& root, const std::string& relative,
              std::map<std::string, std::string>* entries) {
    std::string folder = relative.empty() ? root : mbcs::JoinPath(root, relative);
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*entries)[relative + name + "\\"] = "";
            ListTree(root, relative + name + "\\", entries);
        } else {
            (*entries)[relative + name] = ReadFileBytes(mbcs::JoinPath(folder, name));
        }
    });
}

} // namespace

TempDir::TempDir(const std::string& prefix) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof(name), "%s%s-%lu-%ld", base, prefix.c_str(),
                      GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    RemoveTree(m_path);
}

std::string TempDir::operator/(const std::string& relative) const {
    return mbcs::JoinPath(m_path, relative);
}

std::string TempDir::WriteFile(const std::string& relative, const std::string& content) const {
    std::string full = *this / relative;
    MakeParents(full);
    std::ofstream out(full, std::ios::binary);
    out << content;
    return full;
}

std::string TempDir::MakeDir(const std::string& relative) const {
    std::string full = *this / relative;
    MakeParents(full + "\\");
    return full;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY) || (attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (!DeleteFileA(path.c_str()))
            RemoveDirectoryA(path.c_str());
        return;
    }
    ForEachEntry(path, [&](const WIN32_FIND_DATAA& data) {
        RemoveTree(mbcs::JoinPath(path, data.cFileName));
    });
    RemoveDirectoryA(path.c_str());
}

std::map<std::string, std::string> TreeContents(const std::string& root) {
    std::map<std::string, std::string> entries;
    ListTree(root, "", &entries);
    return entries;
}
