#pragma once
#include <windows.h>

#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

// An in-process automation object that records every Invoke and answers as configured.
class FakeDispatch : public IDispatch {
public:
    struct Call {
        DISPID id;
        WORD flags;
        std::vector<VARTYPE> types; // first argument first
        std::vector<std::string> values;
        std::vector<DISPID> named;
    };
    struct Answer {
        HRESULT hr = S_OK;
        FakeDispatch* object = nullptr; // returned as VT_DISPATCH
        long number = 0;                // returned as VT_I4 when no object
        SCODE excepCode = 0;
        std::wstring description;
    };

    FakeDispatch() = default;
    virtual ~FakeDispatch() = default;

    std::vector<Call> calls;
    std::map<DISPID, Answer> answers;
    // The next calls that are rejected as by a busy application (RPC_E_CALL_REJECTED).
    unsigned busyCalls = 0;
    LONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* argErr) override;
};

// Text form of one argument: "I2:1", "BSTR:C:\a.doc", "ERROR:80020004", "BOOL:0".
std::string DescribeVariant(const VARIANT& v);
