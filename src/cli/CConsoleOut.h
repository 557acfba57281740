#pragma once
// Standard output and error in code page 936. On a console the text is shown as such whatever
// the console's code page, and progress updates one line in place; when an output is
// redirected, its bytes are written as they are and progress comes as plain lines.
#include "framework/CString.h"

#include <string>

class CConsoleOut {
public:
    CConsoleOut();

    // Shows the progress line, a counter and a path: in place on a console (the path cut at
    // its start to fit the width), a line of its own otherwise.
    void Progress(const CString& counter, const CString& path);
    // A line on standard output, or on standard error.
    void Line(const CString& text);
    void Error(const CString& text);
    // A line on standard error that ends in a name the code page may not hold: shown as it is on
    // a console; in a redirected stream, which stays code page 936, each character the code
    // page cannot hold is written as <U+XXXX>.
    void Error(const CString& text, const std::wstring& name);
    // Text as it is, line ends included.
    void Write(const CString& text);

    bool IsConsole() const { return m_out.console; }

private:
    struct Stream {
        HANDLE handle;
        bool console;
    };
    static Stream Open(DWORD which);
    static void Put(const Stream& stream, const std::string& bytes);
    // Ends an in-place progress line, so that the next text starts on a line of its own.
    void EndProgress();
    int ConsoleWidth() const;

    Stream m_out;
    Stream m_err;
    size_t m_progressLength = 0; // columns of the progress line on the console, 0 when none
};
