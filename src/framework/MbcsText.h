#pragma once
// The one place that walks the bytes of multibyte (code page 936) text: case folding,
// separator searches and path splitting never look at the trail byte of a double-byte character.
#include <cstddef>
#include <string>

namespace mbcs {

constexpr std::size_t npos = std::string::npos;

// True when c starts a double-byte character in the process's ANSI code page.
bool IsLeadByte(unsigned char c);

// Lower-cases only single-byte A..Z, leaving every double-byte character untouched.
void FoldLower(std::string& s);
void FoldUpper(std::string& s);

// Compare like _mbsicmp: single-byte letters without regard to case, all else byte by byte.
int CompareNoCase(const char* a, const char* b);

// Searches that only match at character boundaries.
std::size_t Find(const std::string& s, const char* what, std::size_t start = 0);
std::size_t FindChar(const std::string& s, char c, std::size_t start = 0);
std::size_t ReverseFindChar(const std::string& s, char c);
// First single-byte character of s that is one of chars.
std::size_t FindFirstOf(const std::string& s, const char* chars);

// Byte offset of the last character of s (npos for an empty string).
std::size_t LastCharOffset(const std::string& s);
// The longest end of s that starts on a character boundary and is at most maxBytes long.
std::string KeepTail(const std::string& s, std::size_t maxBytes);
// The longest start of s that ends on a character boundary and is at most maxBytes long.
std::string KeepHead(const std::string& s, std::size_t maxBytes);
// True when the last character is a single-byte "\" (never the trail byte of 乗).
bool EndsWithSeparator(const std::string& s);
// s without one trailing "\", if it has one.
std::string DropTrailingSeparator(const std::string& s);
// True for a drive root written like C:\ (exactly three characters).
bool IsDriveRoot(const std::string& path);

struct PathParts {
    std::string drive; // "C:" or empty
    std::string dir;   // "\a\b\" with its trailing separator, or empty
    std::string fname; // base name without extension
    std::string ext;   // ".doc" with its dot, or empty
};

// The _splitpath split of a Windows path ("\" and "/" both separate), double-byte aware.
PathParts SplitPath(const std::string& path);

// Where SplitPath's extension starts in path (its last component's last "."), or null when the
// component has none; no copy is made.
const char* FindExtension(const char* path);

// Joins a folder and a name with exactly one "\" between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// Wide text in the process's ANSI code page ("" for null).
std::string FromWide(const wchar_t* text);
// The same, each character the code page cannot hold written as <U+XXXX>, which no Windows name
// can contain, so that nothing of the text is lost.
std::string FromWideMarked(const std::wstring& text);
// ANSI text as wide text.
std::wstring ToWide(const std::string& ansi);

// ANSI text as UTF-8, for files that others read in UTF-8.
std::string ToUtf8(const std::string& ansi);
// Wide text as UTF-8.
std::string ToUtf8(const std::wstring& wide);
// UTF-8 text in the ANSI code page; false when a character has no place in it (or the bytes
// are no UTF-8), never a lookalike.
bool FromUtf8(const std::string& utf8, std::string* ansi);

} // namespace mbcs
