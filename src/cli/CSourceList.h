#pragma once
// A list of sources in a text file (/from:FILE), one path a line: code page 936, or UTF-8 when
// the file starts with its byte-order mark. Blank lines and lines starting with "#" say nothing.
#include "framework/CString.h"

#include <vector>

class CSourceList {
public:
    // Appends the file's sources to sources. False when the file cannot be read or a line
    // holds a name that code page 936 cannot write, told in *pError.
    static bool Read(const CString& path, std::vector<CString>* sources, CString* pError);

private:
    // A line without its surrounding blanks and one pair of enclosing quotes.
    static std::string Trim(const std::string& line);
};
