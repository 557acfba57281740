#include "cli/CConsoleOut.h"

#include "framework/MbcsText.h"

#include <vector>

namespace {

// The program's texts and the paths it shows are code page 936, whatever the console uses.
constexpr UINT kTextCodePage = 936;
constexpr char kEllipsis[] = "...";

} // namespace

CConsoleOut::CConsoleOut() : m_out(Open(STD_OUTPUT_HANDLE)), m_err(Open(STD_ERROR_HANDLE)) {}

CConsoleOut::Stream CConsoleOut::Open(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    return {handle, handle != nullptr && GetConsoleMode(handle, &mode) != 0};
}

void CConsoleOut::Put(const Stream& stream, const std::string& bytes) {
    if (stream.handle == nullptr || stream.handle == INVALID_HANDLE_VALUE || bytes.empty())
        return;
    DWORD written = 0;
    if (!stream.console) {
        WriteFile(stream.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    int length = static_cast<int>(bytes.size());
    int wide = MultiByteToWideChar(kTextCodePage, 0, bytes.data(), length, nullptr, 0);
    std::vector<wchar_t> text(static_cast<size_t>(wide) + 1);
    MultiByteToWideChar(kTextCodePage, 0, bytes.data(), length, text.data(), wide);
    WriteConsoleW(stream.handle, text.data(), static_cast<DWORD>(wide), &written, nullptr);
}

int CConsoleOut::ConsoleWidth() const {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (!GetConsoleScreenBufferInfo(m_out.handle, &info) || info.dwSize.X < 20)
        return 80;
    return info.dwSize.X;
}

void CConsoleOut::Progress(const CString& counter, const CString& path) {
    std::string line = counter.str() + " " + path.str();
    if (!m_out.console) {
        Put(m_out, line + "\r\n");
        return;
    }
    // One column short of the width, so that the console never wraps the line; a double-byte
    // character is two bytes and two columns, so bytes count columns here.
    size_t room = static_cast<size_t>(ConsoleWidth() - 1);
    size_t fixed = counter.str().size() + 1 + (sizeof(kEllipsis) - 1);
    size_t pathRoom = room > fixed ? room - fixed : 0;
    if (line.size() > room)
        line = counter.str() + " " + kEllipsis + mbcs::KeepTail(path.str(), pathRoom);
    std::string shown = "\r" + line;
    if (line.size() < m_progressLength)
        shown += std::string(m_progressLength - line.size(), ' ') + "\r" + line;
    Put(m_out, shown);
    m_progressLength = line.size();
}

void CConsoleOut::EndProgress() {
    if (m_progressLength == 0)
        return;
    Put(m_out, "\r\n");
    m_progressLength = 0;
}

void CConsoleOut::Line(const CString& text) {
    EndProgress();
    Put(m_out, text.str() + "\r\n");
}

void CConsoleOut::Error(const CString& text) {
    if (m_err.console)
        EndProgress();
    Put(m_err, text.str() + "\r\n");
}

void CConsoleOut::Error(const CString& text, const std::wstring& name) {
    if (!m_err.console) {
        Put(m_err, text.str() + mbcs::FromWideMarked(name) + "\r\n");
        return;
    }
    EndProgress();
    Put(m_err, text.str());
    const std::wstring line = name + L"\r\n";
    DWORD written = 0;
    WriteConsoleW(m_err.handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void CConsoleOut::Write(const CString& text) {
    EndProgress();
    Put(m_out, text.str());
}
