#include "qor/QorDocument.h"

namespace {

constexpr DISPID kSaved = 4101;
constexpr DISPID kSaveAs = 376;
constexpr DISPID kClose = 1105;
constexpr size_t kSaveAsArguments = 16;

} // namespace

HRESULT QorDocument::Call(DispatchCall& call) {
    switch (call.Id()) {
    case kSaved: {
        if (HRESULT hr = call.Check(DispatchCall::Put, false, {DispatchCall::False()}))
            return hr;
        return RequireOpen(call);
    }
    case kSaveAs: {
        // The target path, I2 0 (the format follows from the extension), fourteen left out.
        std::vector<ExpectedArg> expected(kSaveAsArguments, DispatchCall::Omitted());
        expected[0] = DispatchCall::Path();
        expected[1] = DispatchCall::I2(0);
        if (HRESULT hr = call.Check(DispatchCall::Method, true, expected))
            return hr;
        return SaveAs(call, call.Text(0));
    }
    case kClose: {
        // I2 0, I2 2 and one left out.
        const ExpectedArg expected[] = {DispatchCall::I2(0), DispatchCall::I2(2),
                                        DispatchCall::Omitted()};
        if (HRESULT hr = call.Check(DispatchCall::Method, true, {expected, expected + 3}))
            return hr;
        return Close(call);
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
