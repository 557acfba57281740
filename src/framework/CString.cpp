#include "framework/CString.h"

#include "framework/MbcsText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

int ToIndex(std::size_t pos) {
    return pos == mbcs::npos ? -1 : static_cast<int>(pos);
}

} // namespace

int CString::Find(char c, int nStart) const {
    return nStart < 0 ? -1 : ToIndex(mbcs::FindChar(m_str, c, static_cast<size_t>(nStart)));
}

int CString::Find(const char* sub, int nStart) const {
    return nStart < 0 ? -1 : ToIndex(mbcs::Find(m_str, sub, static_cast<size_t>(nStart)));
}

int CString::ReverseFind(char c) const {
    return ToIndex(mbcs::ReverseFindChar(m_str, c));
}

CString CString::Left(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<size_t>(nCount)));
}

CString& CString::MakeLower() {
    mbcs::FoldLower(m_str);
    return *this;
}

CString& CString::MakeUpper() {
    mbcs::FoldUpper(m_str);
    return *this;
}

int CString::Compare(const char* s) const {
    return m_str.compare(s ? s : "");
}

int CString::CompareNoCase(const char* s) const {
    return mbcs::CompareNoCase(m_str.c_str(), s ? s : "");
}

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (needed < 0) {
        m_str.clear();
    } else {
        std::vector<char> buf(static_cast<size_t>(needed) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        m_str.assign(buf.data(), static_cast<size_t>(needed));
    }
    va_end(args);
}

BOOL CString::LoadString(UINT nID) {
    // LoadStringA hands back the text in the ANSI code page; grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buf(static_cast<size_t>(size));
        int n = ::LoadStringA(GetModuleHandleA(nullptr), nID, buf.data(), size);
        if (n < size - 2) {
            m_str.assign(buf.data(), static_cast<size_t>(n));
            return n > 0;
        }
    }
    return FALSE;
}

char* CString::GetBuffer(int nMinLength) {
    if (nMinLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinLength));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::char_traits<char>::length(m_str.c_str()));
    m_str.resize(static_cast<size_t>(nNewLength));
}

CString& CString::operator=(const char* s) {
    m_str = s ? s : "";
    return *this;
}

CString& CString::operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(const char* s) {
    m_str += s ? s : "";
    return *this;
}

CString& CString::operator+=(char c) {
    m_str += c;
    return *this;
}
