#pragma once
// Holds one reference to a COM interface and releases it with the holder; a copy holds one more.
#include <windows.h>

#include <objbase.h>

template <typename T> class CInterfacePtr {
public:
    CInterfacePtr() = default;
    // Takes a reference of its own to p.
    explicit CInterfacePtr(T* p) : m_p(p) { AddRef(); }
    CInterfacePtr(const CInterfacePtr& other) : CInterfacePtr(other.m_p) {}
    CInterfacePtr& operator=(const CInterfacePtr& other) {
        // The new reference first, so that assigning a holder to itself keeps the object alive.
        T* p = other.m_p;
        if (p != nullptr)
            p->AddRef();
        Release();
        m_p = p;
        return *this;
    }
    ~CInterfacePtr() { Release(); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For a call that hands out a new reference: drops the one held and returns where the new
    // one is to go.
    T** Receive() {
        Release();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Release() {
        T* p = m_p;
        m_p = nullptr;
        if (p != nullptr)
            p->Release();
    }

private:
    void AddRef() {
        if (m_p != nullptr)
            m_p->AddRef();
    }

    T* m_p = nullptr;
};
