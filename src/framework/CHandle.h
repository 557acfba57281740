#pragma once
// Owns one kernel handle (a process, a thread, a snapshot) and closes it with the holder. It moves
// but never copies, so every handle is closed exactly once. Null and INVALID_HANDLE_VALUE, the two
// ways Win32 calls say "no handle", both hold nothing.
#include <windows.h>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    CHandle(CHandle&& other) noexcept : m_h(other.m_h) { other.m_h = nullptr; }
    CHandle& operator=(CHandle&& other) noexcept;
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    ~CHandle() { Close(); }

    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Close();

private:
    HANDLE m_h = nullptr;
};
