#include "lx/LxServer.h"

#include "lx/LxApplication.h"

namespace {

constexpr DISPID kApplication = 1;

} // namespace

LxServer::~LxServer() {
    if (m_application)
        m_application->Release();
}

HRESULT LxServer::Call(DispatchCall& call) {
    if (call.Id() != kApplication)
        return DISP_E_MEMBERNOTFOUND;
    if (HRESULT hr = call.Check(DispatchCall::Get, false, {}))
        return hr;
    if (m_application == nullptr)
        m_application = new LxApplication(Server());
    m_application->AddRef();
    call.ReturnObject(m_application);
    return S_OK;
}
