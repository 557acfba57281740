#include "WalkOrder.h"

#include <windows.h>

namespace {

void AppendFiles(const std::string& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName, path = folder + "\\" + name;
        if (name == "." || name == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AppendFiles(path, out);
        else
            out.push_back(path);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

} // namespace

std::vector<std::string> FilesInWalkOrder(const std::string& folder) {
    std::vector<std::string> files;
    AppendFiles(folder, files);
    return files;
}
