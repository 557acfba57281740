#pragma once
#include "common/ServerIdentity.h"

#include <objbase.h>

// The class object a server offers to COM: it makes the application's top object, journaling
// the creation.
class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(ObjectServer& server) : m_server(server) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    // The factory lives as long as the server's message loop: its count guards nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ObjectServer& m_server;
};
