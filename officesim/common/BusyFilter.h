#pragma once
#include <windows.h>

#include <objidl.h>

// The server's message filter: while the application is busy it rejects the automation calls
// that come in, journaling each as BUSY. It answers SERVERCALL_REJECTED, not
// SERVERCALL_RETRYLATER: Wine carries out a call that the filter asks to be retried later, but
// hands a rejected one back to the caller (RPC_E_CALL_REJECTED), as Windows does once the
// caller's own filter has given up retrying.
class BusyFilter : public IMessageFilter {
public:
    // The next count automation calls are rejected.
    void RejectNext(DWORD count) { m_busyCalls = count; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    // The filter lives as long as the server's message loop: its count guards nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override;

private:
    DWORD m_busyCalls = 0;
};
