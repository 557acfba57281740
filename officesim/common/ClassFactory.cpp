#include "common/ClassFactory.h"

#include "common/AutomationObject.h"
#include "common/CallJournal.h"

HRESULT ClassFactory::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    AutomationObject* top = m_server.CreateTop();
    CallJournal::Append(top->JournalName(), "CREATE", "-", {});
    HRESULT hr = top->QueryInterface(riid, object);
    top->Release();
    return hr;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock)
        m_server.Lock();
    else
        m_server.Unlock();
    return S_OK;
}
