#include "lx/LxApplication.h"

#include "lx/LxWorkbooks.h"
#include "common/OfficeSimSettings.h"

namespace {

constexpr DISPID kWorkbooks = 572;
constexpr DISPID kAlerts = 1695;

} // namespace

LxApplication::~LxApplication() {
    if (m_workbooks)
        m_workbooks->Release();
}

HRESULT LxApplication::Call(DispatchCall& call) {
    switch (call.Id()) {
    case kWorkbooks:
        return Workbooks(call);
    case kAlerts:
        // The stand-in never asks anything: it only takes being told not to.
        if (HRESULT hr = call.Check(DispatchCall::Put, false, {DispatchCall::False()}))
            return hr;
        if (OfficeSimSettings::StartError() == "LX.Exe")
            return call.Raise(E_FAIL, L"LX 未能完成启动");
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT LxApplication::Workbooks(DispatchCall& call) {
    if (HRESULT hr = call.Check(DispatchCall::Get, false, {}))
        return hr;
    if (m_workbooks == nullptr)
        m_workbooks = new LxWorkbooks(Server());
    m_workbooks->AddRef();
    call.ReturnObject(m_workbooks);
    return S_OK;
}
