#include "qor/QorDocuments.h"

#include "qor/QorDocument.h"

namespace {

constexpr DISPID kOpen = 18;
constexpr size_t kOpenArguments = 15;

} // namespace

HRESULT QorDocuments::Call(DispatchCall& call) {
    if (call.Id() != kOpen)
        return DISP_E_MEMBERNOTFOUND;
    // The path, one left out, I2 1, and twelve more left out.
    std::vector<ExpectedArg> expected(kOpenArguments, DispatchCall::Omitted());
    expected[0] = DispatchCall::Path();
    expected[2] = DispatchCall::I2(1);
    if (HRESULT hr = call.Check(DispatchCall::Method, true, expected))
        return hr;
    return OpenFile(call, call.Text(0));
}

AutomationObject* QorDocuments::CreateOpened(const std::wstring& path, const std::string& payload) {
    return new QorDocument(Server(), path, payload);
}
