#include "framework/MbcsText.h"

#include <windows.h>

#include <cstdio>

namespace mbcs {

bool IsLeadByte(unsigned char c) {
    return c >= 0x80 && IsDBCSLeadByte(c);
}

namespace {

// Offset of the character after the one at i; a lead byte at the very end stands alone.
std::size_t NextChar(const std::string& s, std::size_t i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size())
        return i + 2;
    return i + 1;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

void FoldLower(std::string& s) {
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i))
        s[i] = LowerAscii(s[i]);
}

void FoldUpper(std::string& s) {
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i))
        s[i] = UpperAscii(s[i]);
}

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    while (*p && *q) {
        if (IsLeadByte(*p) && p[1] && IsLeadByte(*q) && q[1]) {
            int lead = static_cast<int>(p[0]) - static_cast<int>(q[0]);
            if (lead != 0)
                return lead;
            int trail = static_cast<int>(p[1]) - static_cast<int>(q[1]);
            if (trail != 0)
                return trail;
            p += 2;
            q += 2;
            continue;
        }
        int x = static_cast<unsigned char>(LowerAscii(static_cast<char>(*p)));
        int y = static_cast<unsigned char>(LowerAscii(static_cast<char>(*q)));
        if (x != y)
            return x - y;
        ++p;
        ++q;
    }
    return static_cast<int>(*p) - static_cast<int>(*q);
}

std::size_t Find(const std::string& s, const char* what, std::size_t start) {
    const std::string needle(what ? what : "");
    if (start > s.size())
        return npos;
    if (needle.empty())
        return start;
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) {
        if (i >= start && s.compare(i, needle.size(), needle) == 0)
            return i;
    }
    return npos;
}

std::size_t FindChar(const std::string& s, char c, std::size_t start) {
    const char needle[2] = {c, 0};
    return Find(s, needle, start);
}

std::size_t FindFirstOf(const std::string& s, const char* chars) {
    const std::string set(chars);
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) {
        if (NextChar(s, i) == i + 1 && set.find(s[i]) != std::string::npos)
            return i;
    }
    return npos;
}

std::size_t ReverseFindChar(const std::string& s, char c) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) {
        if (s[i] == c && NextChar(s, i) == i + 1)
            found = i;
    }
    return found;
}

std::size_t LastCharOffset(const std::string& s) {
    std::size_t last = npos;
    for (std::size_t i = 0; i < s.size(); i = NextChar(s, i))
        last = i;
    return last;
}

std::string KeepTail(const std::string& s, std::size_t maxBytes) {
    std::size_t i = 0;
    while (s.size() - i > maxBytes)
        i = NextChar(s, i);
    return s.substr(i);
}

std::string KeepHead(const std::string& s, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < s.size() && NextChar(s, end) <= maxBytes)
        end = NextChar(s, end);
    return s.substr(0, end);
}

bool EndsWithSeparator(const std::string& s) {
    std::size_t last = LastCharOffset(s);
    return last != npos && last + 1 == s.size() && s[last] == '\\';
}

std::string DropTrailingSeparator(const std::string& s) {
    return EndsWithSeparator(s) ? s.substr(0, s.size() - 1) : s;
}

bool IsDriveRoot(const std::string& path) {
    return path.size() == 3 && !IsLeadByte(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == '\\';
}

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    std::size_t rest = 0;
    if (path.size() >= 2 && path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(path[0]))) {
        parts.drive = path.substr(0, 2);
        rest = 2;
    }
    std::size_t lastSep = npos;
    std::size_t lastDot = npos;
    for (std::size_t i = rest; i < path.size(); i = NextChar(path, i)) {
        bool single = NextChar(path, i) == i + 1;
        if (single && IsSeparator(path[i])) {
            lastSep = i;
            lastDot = npos;
        } else if (single && path[i] == '.') {
            lastDot = i;
        }
    }
    std::size_t nameStart = rest;
    if (lastSep != npos) {
        parts.dir = path.substr(rest, lastSep + 1 - rest);
        nameStart = lastSep + 1;
    }
    if (lastDot != npos) {
        parts.fname = path.substr(nameStart, lastDot - nameStart);
        parts.ext = path.substr(lastDot);
    } else {
        parts.fname = path.substr(nameStart);
    }
    return parts;
}

const char* FindExtension(const char* path) {
    const char* dot = nullptr;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
            ++p;
        else if (IsSeparator(*p))
            dot = nullptr;
        else if (*p == '.')
            dot = p;
    }
    return dot;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

std::string FromWide(const wchar_t* text) {
    if (text == nullptr)
        return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return std::string();
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(bytes - 1));
    return out;
}

std::string FromWideMarked(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        // A character beyond the basic plane is two wide units.
        const bool pair =
            IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const int units = pair ? 2 : 1;
        char bytes[8];
        BOOL lost = FALSE;
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &text[i], units, bytes,
                                         sizeof(bytes), nullptr, &lost);
        if (length > 0 && !lost) {
            out.append(bytes, static_cast<std::size_t>(length));
        } else {
            const unsigned code =
                pair ? 0x10000u + ((text[i] - 0xD800u) << 10) + (text[i + 1] - 0xDC00u) : text[i];
            char mark[16];
            std::snprintf(mark, sizeof(mark), "<U+%04X>", code);
            out += mark;
        }
        i += static_cast<std::size_t>(units);
    }
    return out;
}

std::wstring ToWide(const std::string& ansi) {
    int chars =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(chars), L'\0');
    if (chars > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &out[0], chars);
    return out;
}

namespace {

std::wstring Widen(UINT codePage, DWORD flags, const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    int chars = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (chars <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), length, &wide[0], chars);
    return wide;
}

} // namespace

std::string ToUtf8(const std::string& ansi) {
    return ToUtf8(Widen(CP_ACP, 0, ansi));
}

std::string ToUtf8(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    const int chars = static_cast<int>(wide.size());
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), chars, &out[0], bytes, nullptr, nullptr);
    return out;
}

bool FromUtf8(const std::string& utf8, std::string* ansi) {
    ansi->clear();
    if (utf8.empty())
        return true;
    std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (wide.empty())
        return false;
    const int chars = static_cast<int>(wide.size());
    BOOL defaulted = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, nullptr, 0, nullptr, &defaulted);
    if (bytes <= 0 || defaulted)
        return false;
    ansi->assign(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, &(*ansi)[0], bytes, nullptr, nullptr);
    return true;
}

} // namespace mbcs
