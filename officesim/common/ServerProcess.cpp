#include "common/ServerProcess.h"

#include "common/ClassFactory.h"
#include "common/OfficeSimSettings.h"
#include "common/ServerRegistry.h"
#include "common/Workload.h"

#include <shellapi.h>

#include <cwchar>

namespace {

// How long the process waits for the call that ends it to be answered before it ends.
constexpr UINT kEndDelayMs = 100;
// A server that COM started but that nobody uses (its client died) ends after this long.
constexpr UINT kIdleCheckMs = 30000;

enum class Request { Serve, Register, Unregister };

Request ReadCommandLine() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    Request request = Request::Serve;
    for (int i = 1; args != nullptr && i < count; ++i) {
        const wchar_t* option = args[i] + ((args[i][0] == L'/' || args[i][0] == L'-') ? 1 : 0);
        if (_wcsicmp(option, L"RegServer") == 0)
            request = Request::Register;
        else if (_wcsicmp(option, L"UnregServer") == 0)
            request = Request::Unregister;
    }
    LocalFree(args);
    return request;
}

} // namespace

ServerProcess::ServerProcess(const ServerIdentity& identity, CreateTopObject createTop)
    : m_identity(identity), m_createTop(createTop) {}

int ServerProcess::Run() {
    switch (ReadCommandLine()) {
    case Request::Register:
        return ServerRegistry::Register(m_identity) ? 0 : 1;
    case Request::Unregister:
        return ServerRegistry::Unregister(m_identity) ? 0 : 1;
    default:
        return Serve();
    }
}

bool ServerProcess::HasFormat(const std::string& format) const {
    for (const char* own : m_identity.formats) {
        if (format == own)
            return true;
    }
    return false;
}

void ServerProcess::Lock() {
    InterlockedIncrement(&m_locks);
}

void ServerProcess::Unlock() {
    if (InterlockedDecrement(&m_locks) == 0)
        EndSoon();
}

void ServerProcess::Quit() {
    // One process serving several clients ends with the last of their objects, not with the
    // first client's quit.
    m_quitting = !m_bSingleProcess;
    EndSoon();
}

void ServerProcess::EndSoon() {
    if (m_endTimer == 0)
        m_endTimer = SetTimer(nullptr, 0, kEndDelayMs, nullptr);
}

bool ServerProcess::Ending() {
    KillTimer(nullptr, m_endTimer);
    m_endTimer = 0;
    // A lock taken again meanwhile (a class-factory lock, say) keeps the process.
    return m_quitting || m_locks == 0;
}

int ServerProcess::Serve() {
    if (lstrcmpiA(OfficeSimSettings::RefuseStart().c_str(), m_identity.progId) == 0)
        return 2;
    if (FAILED(CoInitialize(nullptr)))
        return 3;
    CoRegisterMessageFilter(&m_busy, nullptr);
    ClassFactory factory(*this);
    DWORD cookie = 0;
    m_bSingleProcess = Workload::Read().SingleProcess();
    HRESULT hr =
        CoRegisterClassObject(m_identity.clsid, &factory, CLSCTX_LOCAL_SERVER,
                              m_bSingleProcess ? REGCLS_MULTIPLEUSE : REGCLS_SINGLEUSE, &cookie);
    if (SUCCEEDED(hr)) {
        RunMessageLoop();
        CoRevokeClassObject(cookie);
    }
    CoRegisterMessageFilter(nullptr, nullptr);
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 4;
}

void ServerProcess::RunMessageLoop() {
    UINT_PTR idleTimer = SetTimer(nullptr, 0, kIdleCheckMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
            if (msg.wParam == m_endTimer && Ending())
                break;
            if (msg.wParam == idleTimer && m_locks == 0)
                break;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    KillTimer(nullptr, idleTimer);
}
