#pragma once
// The OLE message filter of one thread: a call that the other side rejects while it is busy is
// tried again after a pause, until a total time has passed; then it fails with
// RPC_E_CALL_REJECTED. Windows asks the filter itself (RetryRejectedCall); where COM hands the
// rejection straight back to the caller, as Wine does, COleDispatchDriver asks the thread's
// filter the same question, so both retry alike.
#include <windows.h>

#include <objidl.h>

class COleMessageFilter : public IMessageFilter {
public:
    COleMessageFilter() = default;
    // Revokes the filter if it is still registered.
    virtual ~COleMessageFilter();
    COleMessageFilter(const COleMessageFilter&) = delete;
    COleMessageFilter& operator=(const COleMessageFilter&) = delete;

    // Pause before each new try, and the time after which a rejected call is given up.
    void SetRetryReply(DWORD nRetryReply, DWORD nRetryTimeout);
    // Installs the filter on the calling thread, a single-threaded apartment; FALSE when COM
    // refuses it.
    BOOL Register();
    void Revoke();
    // The filter registered on the calling thread, or nullptr.
    static COleMessageFilter* FromThread();

    // Whether a call failed because the other side rejected it, busy or not.
    static bool IsRejection(HRESULT hr);
    // The pause before the next try of a call rejected nElapsedMs after it was first made, or
    // (DWORD)-1 to give it up.
    DWORD RetryDelay(DWORD nElapsedMs) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    // The filter lives as long as its owner, who revokes it: the count guards nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD dwTickCount, DWORD) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override;

private:
    DWORD m_nRetryReply = 250;
    DWORD m_nRetryTimeout = 30000;
    bool m_bRegistered = false;
};
