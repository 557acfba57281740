#include "common/AutomationObject.h"

#include "common/CallJournal.h"
#include "common/ServerProcess.h"

AutomationObject::AutomationObject(ServerProcess& server, const char* journalName)
    : m_server(server), m_journalName(journalName) {
    m_server.Lock();
}

AutomationObject::~AutomationObject() {
    m_server.Unlock();
}

HRESULT AutomationObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IDispatch) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG AutomationObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG AutomationObject::Release() {
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT AutomationObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT AutomationObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT AutomationObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* error, UINT* argError) {
    DispatchCall call(id, flags, params, result, error, argError, m_server.Identity().errorSource);
    CallJournal::Append(m_journalName, call.KindName(), std::to_string(id),
                        call.DescribeArguments());
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    // Keeps the object alive while it serves the call, even if the call drops the last reference.
    AddRef();
    HRESULT hr = Call(call);
    Release();
    return hr;
}
