#pragma once
// The floor of an /update run: every source of a bench tree and its target looked up, with no
// program around it.
#include "WalkOrder.h"

#include <string>

// The sources under src whose targets (the same name with .qor) are found under out: pairs.
inline int StatWalk(const std::string& src, const std::string& out) {
    int seen = 0;
    ForEachEntry(src, [&](const WIN32_FIND_DATAA& data) {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            seen += StatWalk(src + "\\" + name, out + "\\" + name);
            return;
        }
        WIN32_FILE_ATTRIBUTE_DATA a, b;
        std::string target = out + "\\" + name.substr(0, name.size() - 4) + ".qor";
        if (GetFileAttributesExA((src + "\\" + name).c_str(), GetFileExInfoStandard, &a) &&
            GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &b))
            ++seen;
    });
    return seen;
}
