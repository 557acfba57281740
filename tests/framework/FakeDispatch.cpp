#include "FakeDispatch.h"

#include <cstdio>

std::string DescribeVariant(const VARIANT& v) {
    char buf[64];
    switch (v.vt) {
    case VT_I2:
        std::snprintf(buf, sizeof(buf), "I2:%d", v.iVal);
        return buf;
    case VT_I4:
        std::snprintf(buf, sizeof(buf), "I4:%ld", v.lVal);
        return buf;
    case VT_BOOL:
        return v.boolVal ? "BOOL:1" : "BOOL:0";
    case VT_ERROR:
        std::snprintf(buf, sizeof(buf), "ERROR:%08lX", static_cast<unsigned long>(v.scode));
        return buf;
    case VT_BSTR: {
        char text[520] = {};
        WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, text, sizeof(text), nullptr, nullptr);
        return std::string("BSTR:") + text;
    }
    case VT_VARIANT | VT_BYREF:
        return "REF:" + DescribeVariant(*v.pvarVal);
    default:
        std::snprintf(buf, sizeof(buf), "VT:%d", v.vt);
        return buf;
    }
}

HRESULT FakeDispatch::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* n) {
    *n = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* info, UINT*) {
    Call call{id, flags, {}, {}, {}};
    for (UINT i = params->cArgs; i-- > 0;) {
        call.types.push_back(params->rgvarg[i].vt);
        call.values.push_back(DescribeVariant(params->rgvarg[i]));
    }
    for (UINT i = 0; i < params->cNamedArgs; ++i)
        call.named.push_back(params->rgdispidNamedArgs[i]);
    calls.push_back(call);
    if (busyCalls > 0) {
        --busyCalls;
        return RPC_E_CALL_REJECTED;
    }

    Answer answer = answers[id];
    if (answer.hr == DISP_E_EXCEPTION && info) {
        *info = {};
        info->scode = answer.excepCode;
        info->bstrDescription = SysAllocString(answer.description.c_str());
        info->bstrSource = SysAllocString(L"Fake");
    }
    if (FAILED(answer.hr))
        return answer.hr;
    if (result) {
        if (answer.object) {
            result->vt = VT_DISPATCH;
            result->pdispVal = answer.object;
            answer.object->AddRef();
        } else {
            result->vt = VT_I4;
            result->lVal = answer.number;
        }
    }
    return S_OK;
}
