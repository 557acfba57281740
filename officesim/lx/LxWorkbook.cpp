#include "lx/LxWorkbook.h"

namespace {

constexpr DISPID kSaveAs = 284;
constexpr DISPID kClose = 277;
constexpr size_t kSaveAsArguments = 11;

} // namespace

HRESULT LxWorkbook::Call(DispatchCall& call) {
    switch (call.Id()) {
    case kSaveAs: {
        // The target path, five left out, I4 0, four left out: the format follows from the
        // extension.
        std::vector<ExpectedArg> expected(kSaveAsArguments, DispatchCall::Omitted());
        expected[0] = DispatchCall::Path();
        expected[6] = DispatchCall::I4(0);
        if (HRESULT hr = call.Check(DispatchCall::Method, false, expected))
            return hr;
        return SaveAs(call, call.Text(0));
    }
    case kClose: {
        const ExpectedArg zero = DispatchCall::I2(0);
        if (HRESULT hr = call.Check(DispatchCall::Method, false, {zero, zero, zero}))
            return hr;
        return Close(call);
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
