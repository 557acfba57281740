#include "common/DispatchCall.h"

#include "common/CallJournal.h"

DispatchCall::DispatchCall(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* error, UINT* argError, const wchar_t* errorSource)
    : m_id(id), m_flags(flags), m_params(params ? *params : DISPPARAMS{nullptr, nullptr, 0, 0}),
      m_result(result), m_error(error), m_argError(argError), m_errorSource(errorSource) {
    if (m_params.rgvarg == nullptr)
        m_params.cArgs = 0;
    if (m_params.rgdispidNamedArgs == nullptr)
        m_params.cNamedArgs = 0;
}

const char* DispatchCall::KindName() const {
    if (m_flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
        return "PUT";
    return (m_flags & DISPATCH_METHOD) ? "METHOD" : "GET";
}

std::vector<std::string> DispatchCall::DescribeArguments() const {
    std::vector<std::string> described;
    for (size_t i = 0; i < m_params.cArgs; ++i)
        described.push_back(CallJournal::Describe(Argument(i)));
    return described;
}

HRESULT DispatchCall::Check(Kind kind, bool byReference, const std::vector<ExpectedArg>& expected) {
    static const WORD kFlags[] = {DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_METHOD};
    if (!(m_flags & kFlags[kind]))
        return DISP_E_MEMBERNOTFOUND;
    if (m_params.cArgs != expected.size())
        return DISP_E_BADPARAMCOUNT;
    if (HRESULT hr = CheckNamedArguments(kind))
        return hr;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (HRESULT hr = CheckArgument(i, byReference, expected[i])) {
            if (m_argError)
                *m_argError = static_cast<UINT>(m_params.cArgs - 1 - i);
            return hr;
        }
    }
    return S_OK;
}

HRESULT DispatchCall::CheckNamedArguments(Kind kind) const {
    if (kind != Put)
        return m_params.cNamedArgs == 0 ? S_OK : DISP_E_NONAMEDARGS;
    bool named = m_params.cNamedArgs == 1 && m_params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    return named ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT DispatchCall::CheckArgument(size_t index, bool byReference,
                                    const ExpectedArg& expected) const {
    const VARIANT& argument = Argument(index);
    bool isReference = argument.vt == (VT_VARIANT | VT_BYREF) && argument.pvarVal != nullptr;
    if (byReference != isReference || (!byReference && (argument.vt & VT_BYREF)))
        return DISP_E_TYPEMISMATCH;
    const VARIANT& value = Value(index);
    if (value.vt != expected.vt)
        return DISP_E_TYPEMISMATCH;
    switch (value.vt) {
    case VT_I2:
        return value.iVal == expected.value ? S_OK : E_INVALIDARG;
    case VT_I4:
        return value.lVal == expected.value ? S_OK : E_INVALIDARG;
    case VT_BOOL:
        return value.boolVal == expected.value ? S_OK : E_INVALIDARG;
    case VT_ERROR:
        return value.scode == expected.value ? S_OK : E_INVALIDARG;
    default:
        return S_OK;
    }
}

std::wstring DispatchCall::Text(size_t index) const {
    const VARIANT& value = Value(index);
    if (value.vt != VT_BSTR || value.bstrVal == nullptr)
        return std::wstring();
    return std::wstring(value.bstrVal, SysStringLen(value.bstrVal));
}

void DispatchCall::ReturnObject(IDispatch* object) {
    if (m_result == nullptr) {
        if (object)
            object->Release();
        return;
    }
    VariantInit(m_result);
    m_result->vt = VT_DISPATCH;
    m_result->pdispVal = object;
}

HRESULT DispatchCall::Raise(SCODE scode, const std::wstring& description) {
    if (m_error) {
        *m_error = EXCEPINFO();
        m_error->scode = scode;
        m_error->bstrSource = SysAllocString(m_errorSource);
        m_error->bstrDescription = SysAllocString(description.c_str());
    }
    return DISP_E_EXCEPTION;
}

const VARIANT& DispatchCall::Argument(size_t index) const {
    // DISPPARAMS holds the arguments last first.
    return m_params.rgvarg[m_params.cArgs - 1 - index];
}

const VARIANT& DispatchCall::Value(size_t index) const {
    const VARIANT& argument = Argument(index);
    if (argument.vt == (VT_VARIANT | VT_BYREF) && argument.pvarVal != nullptr)
        return *argument.pvarVal;
    return argument;
}
