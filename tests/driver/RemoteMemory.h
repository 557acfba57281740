#pragma once
// A block of memory inside another process, for the control messages whose argument is a pointer
// (the control reads and writes it in its own process).
#include <windows.h>

#include <cstddef>

class RemoteMemory {
public:
    RemoteMemory(HANDLE hProcess, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return m_base != nullptr; }
    // The address of offset as the other process sees it.
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(m_base + offset); }
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE m_hProcess;
    char* m_base;
    size_t m_size;
};
