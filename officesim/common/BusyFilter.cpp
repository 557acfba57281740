#include "common/BusyFilter.h"

#include "common/AutomationObject.h"
#include "common/CallJournal.h"

HRESULT BusyFilter::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IMessageFilter) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IMessageFilter*>(this);
    return S_OK;
}

DWORD BusyFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) {
    // Only automation calls: COM's own reference counting always gets through.
    if (m_busyCalls == 0 || info == nullptr || info->iid != IID_IDispatch)
        return SERVERCALL_ISHANDLED;
    --m_busyCalls;
    // Every object of the servers is an AutomationObject, reached through its IDispatch.
    auto* object = static_cast<AutomationObject*>(static_cast<IDispatch*>(info->pUnk));
    CallJournal::Append(object ? object->JournalName() : "-", "BUSY", "-", {});
    return SERVERCALL_REJECTED;
}

DWORD BusyFilter::RetryRejectedCall(HTASK, DWORD, DWORD) {
    return static_cast<DWORD>(-1);
}

DWORD BusyFilter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}
