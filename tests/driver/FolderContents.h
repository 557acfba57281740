#pragma once
// What a job left on disk: every file and folder under a folder, with the files' bytes.
#include <gtest/gtest.h>

#include <map>
#include <string>

class FolderContents {
public:
    // Relative paths; a folder ends with "\" and holds "".
    using Entries = std::map<std::string, std::string>;

    static Entries Read(const std::string& root);
    // The entries equal expected; the message names every entry missing, unexpected or different.
    static testing::AssertionResult Match(const std::string& root, const Entries& expected);
    // A stand-in document's bytes: its header line, then the payload.
    static std::string Doc(const std::string& format, const std::string& payload);
};
