#include "qor/QorApplication.h"

#include "common/OfficeSimSettings.h"
#include "qor/QorDocuments.h"
#include "common/ServerProcess.h"

namespace {

constexpr DISPID kVisible = 23;
constexpr DISPID kDocuments = 6;
constexpr DISPID kQuit = 1105;

} // namespace

QorApplication::QorApplication(ServerProcess& server) : AutomationObject(server, "qor.app") {}

QorApplication::~QorApplication() {
    if (m_documents)
        m_documents->Release();
}

HRESULT QorApplication::Call(DispatchCall& call) {
    switch (call.Id()) {
    case kVisible:
        // The stand-in never shows a window: it only takes being kept hidden.
        if (HRESULT hr = call.Check(DispatchCall::Put, false, {DispatchCall::False()}))
            return hr;
        if (OfficeSimSettings::StartError() == "Qor.Application")
            return call.Raise(E_FAIL, L"Qor 未能完成启动");
        return S_OK;
    case kDocuments:
        return Documents(call);
    case kQuit:
        return Quit(call);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT QorApplication::Documents(DispatchCall& call) {
    if (HRESULT hr = call.Check(DispatchCall::Get, false, {}))
        return hr;
    if (m_documents == nullptr)
        m_documents = new QorDocuments(Server());
    m_documents->AddRef();
    call.ReturnObject(m_documents);
    return S_OK;
}

HRESULT QorApplication::Quit(DispatchCall& call) {
    const ExpectedArg omitted = DispatchCall::Omitted();
    if (HRESULT hr =
            call.Check(DispatchCall::Method, true, {DispatchCall::I2(0), omitted, omitted}))
        return hr;
    if (OfficeSimSettings::QuitError())
        return call.Raise(E_FAIL, L"Qor 拒绝退出");
    Server().Quit();
    return S_OK;
}
