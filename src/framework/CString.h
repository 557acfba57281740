#pragma once
// 8-bit multibyte text (ANSI code page, 936 here). Searches and case folds are double-byte aware.
#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_str(s ? s : "") {}
    CString(const char* s, int nLength) : m_str(s ? s : "", s ? static_cast<size_t>(nLength) : 0) {}
    CString(const std::string& s) : m_str(s) {}
    CString(char c, int nRepeat = 1) : m_str(static_cast<size_t>(nRepeat), c) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    char GetAt(int i) const { return m_str[static_cast<size_t>(i)]; }
    char operator[](int i) const { return GetAt(i); }

    // Positions are byte offsets; -1 when not found.
    int Find(char c, int nStart = 0) const;
    int Find(const char* sub, int nStart = 0) const;
    int ReverseFind(char c) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeLower();
    CString& MakeUpper();
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    void Format(const char* fmt, ...);
    BOOL LoadString(UINT nID);

    // Room for a Win32 call to write into; ReleaseBuffer trims to the terminating zero.
    char* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator=(const char* s);
    CString& operator+=(const CString& s);
    CString& operator+=(const char* s);
    CString& operator+=(char c);

    friend CString operator+(const CString& a, const CString& b) {
        return CString(a.m_str + b.m_str);
    }
    friend CString operator+(const CString& a, const char* b) { return a + CString(b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    std::string m_str;
};
