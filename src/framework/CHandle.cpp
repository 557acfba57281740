#include "framework/CHandle.h"

CHandle& CHandle::operator=(CHandle&& other) noexcept {
    if (this != &other) {
        Close();
        m_h = other.m_h;
        other.m_h = nullptr;
    }
    return *this;
}

void CHandle::Close() {
    HANDLE h = m_h;
    m_h = nullptr;
    if (h != nullptr)
        CloseHandle(h);
}
