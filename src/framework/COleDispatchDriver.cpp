#include "framework/COleDispatchDriver.h"

#include "framework/COleMessageFilter.h"
#include "framework/MbcsText.h"

#include <cstdarg>
#include <vector>

namespace {

constexpr unsigned char kMfcByRef = 0x40;

// Reads one argument of the given code from the list into a VARIANT that DISPPARAMS can hold.
void ReadArgument(unsigned char code, va_list& args, VARIANT* out) {
    VariantInit(out);
    if (code == (VT_VARIANT | kMfcByRef)) {
        out->vt = VT_VARIANT | VT_BYREF;
        out->pvarVal = va_arg(args, VARIANT*);
        return;
    }
    switch (code) {
    case VT_I2:
        out->vt = VT_I2;
        out->iVal = static_cast<short>(va_arg(args, int));
        break;
    case VT_I4:
        out->vt = VT_I4;
        out->lVal = va_arg(args, long);
        break;
    case VT_BSTR:
        out->vt = VT_BSTR;
        out->bstrVal = AnsiToBstr(va_arg(args, const char*));
        break;
    case VT_DISPATCH:
        out->vt = VT_DISPATCH;
        out->pdispVal = va_arg(args, LPDISPATCH);
        if (out->pdispVal)
            out->pdispVal->AddRef();
        break;
    case VT_ERROR:
        out->vt = VT_ERROR;
        out->scode = va_arg(args, SCODE);
        break;
    case VT_BOOL:
        out->vt = VT_BOOL;
        out->boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_VARIANT:
        VariantCopy(out, const_cast<VARIANT*>(va_arg(args, const VARIANT*)));
        break;
    default:
        throw COleException(DISP_E_BADVARTYPE);
    }
}

void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    if (vtRet == VT_EMPTY || pvRet == nullptr)
        return;
    if (vtRet == VT_VARIANT) {
        VariantCopy(static_cast<VARIANT*>(pvRet), &result);
        return;
    }
    if (result.vt != vtRet && FAILED(VariantChangeType(&result, &result, 0, vtRet)))
        throw COleException(DISP_E_TYPEMISMATCH);
    switch (vtRet) {
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        if (result.pdispVal)
            result.pdispVal->AddRef();
        break;
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = CString(mbcs::FromWide(result.bstrVal));
        break;
    default:
        throw COleException(DISP_E_BADVARTYPE);
    }
}

[[noreturn]] void ThrowDispatchException(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    SCODE sc = info.scode != 0 ? info.scode : DISP_E_EXCEPTION;
    COleDispatchException error(sc, info.wCode, CString(mbcs::FromWide(info.bstrDescription)),
                                CString(mbcs::FromWide(info.bstrSource)));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    throw error;
}

// A rejected call was not carried out: the thread's filter says whether and when to make it again,
// as COM asks it on Windows before it hands a rejection back. (DWORD)-1: give it up.
DWORD PauseBeforeRetry(HRESULT hr, DWORD elapsedMs) {
    COleMessageFilter* filter = COleMessageFilter::FromThread();
    if (filter == nullptr || !COleMessageFilter::IsRejection(hr))
        return static_cast<DWORD>(-1);
    return filter->RetryDelay(elapsedMs);
}

} // namespace

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other) {
    *this = other;
}

COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other) {
    if (this != &other && m_lpDispatch != other.m_lpDispatch) {
        if (other.m_lpDispatch)
            other.m_lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = other.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver& COleDispatchDriver::operator=(LPDISPATCH lpDispatch) {
    AttachDispatch(lpDispatch, TRUE);
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(const char* progId, COleException* pError) {
    ReleaseDispatch();
    CLSID clsid;
    BSTR wideId = AnsiToBstr(progId);
    HRESULT hr = CLSIDFromProgID(wideId, &clsid);
    SysFreeString(wideId);
    LPDISPATCH dispatch = nullptr;
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr) || dispatch == nullptr) {
        if (pError)
            pError->m_sc = FAILED(hr) ? hr : E_NOINTERFACE;
        return FALSE;
    }
    AttachDispatch(dispatch, TRUE);
    return TRUE;
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease) {
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    LPDISPATCH dispatch = DetachDispatch();
    if (dispatch != nullptr && m_bAutoRelease)
        dispatch->Release();
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const char* pbParamInfo, ...) {
    va_list args;
    va_start(args, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const char* pbParamInfo, va_list args) {
    if (m_lpDispatch == nullptr)
        return;
    const std::string codes = pbParamInfo ? pbParamInfo : "";
    // DISPPARAMS wants the arguments last first.
    std::vector<VARIANT> argv(codes.size());
    struct Cleanup {
        std::vector<VARIANT>& v;
        ~Cleanup() {
            for (VARIANT& a : v)
                VariantClear(&a);
        }
    } cleanup{argv};
    for (size_t i = 0; i < codes.size(); ++i)
        ReadArgument(static_cast<unsigned char>(codes[i]), args, &argv[codes.size() - 1 - i]);

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {argv.empty() ? nullptr : argv.data(), nullptr,
                         static_cast<UINT>(argv.size()), 0};
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info = {};
    UINT argErr = 0;
    HRESULT hr = S_OK;
    for (const DWORD start = GetTickCount();;) {
        hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                  vtRet == VT_EMPTY ? nullptr : &result, &info, &argErr);
        DWORD pause = PauseBeforeRetry(hr, GetTickCount() - start);
        if (pause == static_cast<DWORD>(-1))
            break;
        Sleep(pause);
    }
    if (hr == DISP_E_EXCEPTION)
        ThrowDispatchException(info);
    if (FAILED(hr))
        throw COleException(hr);
    try {
        StoreResult(result, vtRet, pvRet);
    } catch (...) {
        VariantClear(&result);
        throw;
    }
    VariantClear(&result);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const {
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp,
                                                        pvProp, VTS_NONE);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...) {
    va_list args;
    va_start(args, vtProp);
    const char code[2] = {static_cast<char>(vtProp), 0};
    try {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, code, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}
