#pragma once
// The tree of stand-in documents the engine and command-line benchmarks convert.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// 10 folders of 10 sub-folders, the files spread evenly over the 100 leaves; their paths.
inline std::vector<std::string> MakeTree(const std::string& src, int files) {
    std::vector<std::string> paths;
    CreateDirectoryA(src.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        std::string a = src + "\\d" + std::to_string(i % 10);
        std::string b = a + "\\e" + std::to_string((i / 10) % 10);
        CreateDirectoryA(a.c_str(), nullptr);
        CreateDirectoryA(b.c_str(), nullptr);
        std::string path = b + "\\f" + std::to_string(i) + ".doc";
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fputs("OFFICESIM doc\r\nbench", f);
        std::fclose(f);
        paths.push_back(path);
    }
    return paths;
}

} // namespace bench
