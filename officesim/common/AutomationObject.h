#pragma once
#include "common/DispatchCall.h"

class ServerProcess;

// The IDispatch of every stand-in object. It keeps the server process alive while it exists,
// journals each call before carrying it out (also a call that then fails) and hands the call to
// the object's Call. No type information: callers use the dispatch identifiers directly.
class AutomationObject : public IDispatch {
public:
    AutomationObject(ServerProcess& server, const char* journalName);
    virtual ~AutomationObject();
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    // The object's name in the journal ("qor.app", "lx.workbook").
    const char* JournalName() const { return m_journalName; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT* argError) override;

protected:
    // Carries out a journaled call; an identifier the object does not know gives
    // DISP_E_MEMBERNOTFOUND.
    virtual HRESULT Call(DispatchCall& call) = 0;
    ServerProcess& Server() const { return m_server; }

private:
    LONG m_refs = 1;
    ServerProcess& m_server;
    const char* m_journalName;
};
