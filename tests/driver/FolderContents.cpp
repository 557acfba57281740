#include "FolderContents.h"

#include "TempDir.h"
#include "UiPump.h"
#include "framework/MbcsText.h"

#include <windows.h>

FolderContents::Entries FolderContents::Read(const std::string& root) {
    Entries entries;
    ReadInto(root, "", &entries);
    return entries;
}

void FolderContents::ReadInto(const std::string& root, const std::string& relative,
                              Entries* entries) {
    WIN32_FIND_DATAA data;
    std::string folder = relative.empty() ? root : mbcs::JoinPath(root, relative);
    HANDLE find = FindFirstFileA(mbcs::JoinPath(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*entries)[relative + name + "\\"] = "";
            ReadInto(root, relative + name + "\\", entries);
        } else {
            (*entries)[relative + name] = ReadFileBytes(mbcs::JoinPath(folder, name));
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

testing::AssertionResult FolderContents::Match(const std::string& root, const Entries& expected) {
    const Entries actual = Read(root);
    std::string differences;
    for (const auto& entry : expected) {
        auto found = actual.find(entry.first);
        if (found == actual.end())
            differences += "\n  missing: " + Utf8(entry.first);
        else if (found->second != entry.second)
            differences += "\n  " + Utf8(entry.first) + " holds \"" + Utf8(found->second) +
                           "\" instead of \"" + Utf8(entry.second) + "\"";
    }
    for (const auto& entry : actual)
        if (!expected.count(entry.first))
            differences += "\n  not expected: " + Utf8(entry.first);
    if (differences.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << Utf8(root) << ":" << differences;
}

std::string FolderContents::Doc(const std::string& format, const std::string& payload) {
    return "OFFICESIM " + format + "\r\n" + payload;
}
