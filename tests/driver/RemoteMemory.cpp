#include "RemoteMemory.h"

RemoteMemory::RemoteMemory(HANDLE hProcess, size_t size)
    : m_hProcess(hProcess),
      m_base(static_cast<char*>(
          VirtualAllocEx(hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))),
      m_size(size) {}

RemoteMemory::~RemoteMemory() {
    if (m_base != nullptr)
        VirtualFreeEx(m_hProcess, m_base, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) const {
    SIZE_T written = 0;
    return m_base != nullptr && offset + size <= m_size &&
           WriteProcessMemory(m_hProcess, m_base + offset, data, size, &written) && written == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
    SIZE_T read = 0;
    return m_base != nullptr && offset + size <= m_size &&
           ReadProcessMemory(m_hProcess, m_base + offset, data, size, &read) && read == size;
}
