#include "framework/COleMessageFilter.h"

namespace {

// COM's own record of a thread's filter cannot be read without replacing it.
thread_local COleMessageFilter* t_threadFilter = nullptr;

// RetryRejectedCall's answers below this mean "at once", not "after this many milliseconds".
constexpr DWORD kShortestPause = 100;

} // namespace

COleMessageFilter::~COleMessageFilter() {
    Revoke();
}

void COleMessageFilter::SetRetryReply(DWORD nRetryReply, DWORD nRetryTimeout) {
    m_nRetryReply = nRetryReply < kShortestPause ? kShortestPause : nRetryReply;
    m_nRetryTimeout = nRetryTimeout;
}

BOOL COleMessageFilter::Register() {
    if (m_bRegistered)
        return TRUE;
    IMessageFilter* previous = nullptr;
    if (FAILED(CoRegisterMessageFilter(this, &previous)))
        return FALSE;
    if (previous != nullptr)
        previous->Release();
    m_bRegistered = true;
    t_threadFilter = this;
    return TRUE;
}

void COleMessageFilter::Revoke() {
    if (!m_bRegistered)
        return;
    IMessageFilter* previous = nullptr;
    if (SUCCEEDED(CoRegisterMessageFilter(nullptr, &previous)) && previous != nullptr)
        previous->Release();
    m_bRegistered = false;
    if (t_threadFilter == this)
        t_threadFilter = nullptr;
}

COleMessageFilter* COleMessageFilter::FromThread() {
    return t_threadFilter;
}

bool COleMessageFilter::IsRejection(HRESULT hr) {
    return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER ||
           hr == RPC_E_SERVERCALL_REJECTED;
}

DWORD COleMessageFilter::RetryDelay(DWORD nElapsedMs) const {
    return nElapsedMs < m_nRetryTimeout ? m_nRetryReply : static_cast<DWORD>(-1);
}

HRESULT COleMessageFilter::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IMessageFilter) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IMessageFilter*>(this);
    return S_OK;
}

DWORD COleMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD COleMessageFilter::RetryRejectedCall(HTASK, DWORD dwTickCount, DWORD) {
    return RetryDelay(dwTickCount);
}

DWORD COleMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}
