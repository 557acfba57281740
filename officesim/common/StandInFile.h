#pragma once
#include <windows.h>

#include <string>

// The stand-in document format: a header line "OFFICESIM <format>\r\n" naming the format, then
// the payload, byte for byte. A file without such a header is all payload.
class StandInFile {
public:
    // Reads path. format is "" for a file without header. Returns the Win32 error, 0 on success.
    static DWORD Read(const std::wstring& path, std::string* format, std::string* payload);
    // The bytes of a file: the header of format, then the payload.
    static std::string Compose(const std::string& format, const std::string& payload);
    // Writes bytes over path (replacing the file). Returns the Win32 error, 0 on success.
    static DWORD WriteBytes(const std::wstring& path, const std::string& bytes);
    // The format that the extension of path names ("doc" for "a.DOC"); "" when none does.
    static std::string FormatOf(const std::wstring& path);
    // The file name part of a path.
    static std::wstring FileName(const std::wstring& path);

private:
    static bool IsFormat(const std::string& name);
};
