#include "lx/LxWorkbooks.h"

#include "lx/LxWorkbook.h"

namespace {

constexpr DISPID kOpen = 682;
constexpr size_t kOpenArguments = 13;

} // namespace

HRESULT LxWorkbooks::Call(DispatchCall& call) {
    if (call.Id() != kOpen)
        return DISP_E_MEMBERNOTFOUND;
    // The path, then twelve left out.
    std::vector<ExpectedArg> expected(kOpenArguments, DispatchCall::Omitted());
    expected[0] = DispatchCall::Path();
    if (HRESULT hr = call.Check(DispatchCall::Method, false, expected))
        return hr;
    return OpenFile(call, call.Text(0));
}

AutomationObject* LxWorkbooks::CreateOpened(const std::wstring& path, const std::string& payload) {
    return new LxWorkbook(Server(), path, payload);
}
