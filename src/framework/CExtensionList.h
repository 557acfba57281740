#pragma once
// A set of file extensions matched only as whole entries, single-byte letters without regard to
// case: ".DOC" and ".Dot" are in ".doc|.dot"; ".do", ".docx", a lone "." and "" are not.
#include <string>
#include <vector>

class CExtensionList {
public:
    // Entries separated by "|", each with its dot: ".doc|.dot".
    static CExtensionList FromList(const char* list);
    // The patterns of an open-file-dialog filter, "Word文件 (*.doc;*.dot)|*.doc;*.dot||": every
    // second "|" field, split at ";", each "*.doc" taken as ".doc". Descriptions never match.
    static CExtensionList FromFilter(const char* filter);

    // Whether ext (with its dot, as a path split gives it) is one of the entries.
    bool Contains(const char* ext) const;
    // Whether the extension of the path's last component is one of the entries.
    bool MatchesPath(const char* path) const;

private:
    void Add(std::string entry);

    std::vector<std::string> m_entries; // folded to lower case
};
