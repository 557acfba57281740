#include "framework/CExtensionList.h"

#include "framework/MbcsText.h"

namespace {

// The pieces of text between separators, each cut at a character boundary.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t sep; (sep = mbcs::FindChar(text, separator, start)) != mbcs::npos;
         start = sep + 1)
        pieces.push_back(text.substr(start, sep - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace

CExtensionList CExtensionList::FromList(const char* list) {
    CExtensionList extensions;
    for (const std::string& entry : Split(list ? list : "", '|'))
        extensions.Add(entry);
    return extensions;
}

CExtensionList CExtensionList::FromFilter(const char* filter) {
    CExtensionList extensions;
    std::vector<std::string> fields = Split(filter ? filter : "", '|');
    for (std::size_t i = 1; i < fields.size(); i += 2) {
        for (const std::string& pattern : Split(fields[i], ';')) {
            if (pattern.compare(0, 2, "*.") == 0)
                extensions.Add(pattern.substr(1));
        }
    }
    return extensions;
}

void CExtensionList::Add(std::string entry) {
    // "." alone would take every name that ends in a dot for a source.
    if (entry.size() < 2 || entry[0] != '.')
        return;
    mbcs::FoldLower(entry);
    m_entries.push_back(entry);
}

// Runs for every entry of a folder walk: compares in place, without copying or folding ext.
bool CExtensionList::Contains(const char* ext) const {
    if (ext == nullptr)
        return false;
    for (const std::string& entry : m_entries) {
        if (mbcs::CompareNoCase(ext, entry.c_str()) == 0)
            return true;
    }
    return false;
}

bool CExtensionList::MatchesPath(const char* path) const {
    const char* ext = path ? mbcs::FindExtension(path) : nullptr;
    return ext != nullptr && Contains(ext);
}
