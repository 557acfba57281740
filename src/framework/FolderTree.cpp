#include "framework/FolderTree.h"

#include "framework/MbcsText.h"

#include <string>

BOOL CreateDirTree(const char* path) {
    std::string folder = mbcs::DropTrailingSeparator(path ? path : "");
    if (!folder.empty() && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    std::size_t sep = mbcs::ReverseFindChar(folder, '\\');
    if (sep == mbcs::npos || !CreateDirTree(folder.substr(0, sep).c_str()))
        return FALSE;
    return CreateDirectoryA(folder.c_str(), nullptr);
}
