#include "FolderContents.h"

#include "TempDir.h"
#include "UiPump.h"

FolderContents::Entries FolderContents::Read(const std::string& root) {
    return TreeContents(root);
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
