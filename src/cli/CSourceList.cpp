#include "cli/CSourceList.h"

#include "cli/ConsoleTexts.h"
#include "framework/MbcsText.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

} // namespace

bool CSourceList::Read(const CString& path, std::vector<CString>* sources, CString* pError) {
    std::ifstream file(path.str(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) {
        *pError = CString(texts::kListNotRead) + ": " + path;
        return false;
    }
    const bool utf8 = text.compare(0, 3, kUtf8Mark) == 0;
    std::istringstream lines(utf8 ? text.substr(3) : text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        std::string source = line;
        if (utf8 && !mbcs::FromUtf8(line, &source)) {
            pError->Format("%s: %s:%d", texts::kListNameNotHeld, path.str().c_str(), number);
            return false;
        }
        sources->push_back(source);
    }
    return true;
}

std::string CSourceList::Trim(const std::string& line) {
    // Blanks and CR are single bytes that no trail byte of code page 936 or UTF-8 can be.
    const char* blanks = " \t\r";
    size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    std::string text = line.substr(first, line.find_last_not_of(blanks) - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}
