#include "cli/CJobReport.h"

#include "framework/MbcsText.h"

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "source,target,result,error,description,ms";

} // namespace

CJobReport::~CJobReport() {
    Close();
}

bool CJobReport::Open(const CString& path) {
    m_file = std::fopen(path, "wb");
    if (m_file == nullptr)
        return false;
    Put(std::string(kUtf8Mark) + kHeader);
    return !m_bLost;
}

void CJobReport::Row(const std::string& sourceUtf8, const CString& target, const char* result,
                     SCODE code, const CString& description, DWORD ms) {
    char error[16] = "";
    if (code != 0)
        std::snprintf(error, sizeof(error), "0x%08lX", static_cast<unsigned long>(code));
    char millis[16];
    std::snprintf(millis, sizeof(millis), "%lu", static_cast<unsigned long>(ms));
    Put(Field(sourceUtf8) + "," + Field(mbcs::ToUtf8(target.str())) + "," + result + "," + error +
        "," + Field(mbcs::ToUtf8(description.str())) + "," + millis);
}

bool CJobReport::Close() {
    if (m_file != nullptr && std::fclose(m_file) != 0)
        m_bLost = true;
    m_file = nullptr;
    return !m_bLost;
}

std::string CJobReport::Field(const std::string& text) {
    // UTF-8 continuation bytes are never ASCII: a byte search finds only the real characters.
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void CJobReport::Put(const std::string& line) {
    const std::string bytes = line + "\r\n";
    // Each row on disk as it is done, so that a job cut off keeps what it did.
    if (m_file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size() ||
        std::fflush(m_file) != 0)
        m_bLost = true;
}
