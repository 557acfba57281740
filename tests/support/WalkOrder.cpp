#include "WalkOrder.h"

namespace {

void AppendFiles(const std::string& folder, std::vector<std::string>& out) {
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& data) {
        const std::string path = folder + "\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)
            return;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AppendFiles(path, out);
        else
            out.push_back(path);
    });
}

} // namespace

void ForEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            visit(data);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::vector<std::string> FilesInWalkOrder(const std::string& folder) {
    std::vector<std::string> files;
    AppendFiles(folder, files);
    return files;
}
