#pragma once
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

// One argument position as the caller must fill it: a path (any VT_BSTR), an omitted argument
// (VT_ERROR DISP_E_PARAMNOTFOUND), or a VT_I2, VT_I4 or VT_BOOL of one fixed value.
struct ExpectedArg {
    VARTYPE vt;
    LONG value;
};

// One IDispatch::Invoke as a stand-in object sees it. Check refuses, with the HRESULT a caller
// expects, any call that is not exactly the access and arguments the application accepts.
class DispatchCall {
public:
    enum Kind { Get, Put, Method };

    DispatchCall(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                 UINT* argError, const wchar_t* errorSource);

    DISPID Id() const { return m_id; }
    // "GET", "PUT" or "METHOD", and the arguments first to last, as the journal writes them.
    const char* KindName() const;
    std::vector<std::string> DescribeArguments() const;

    // S_OK, or DISP_E_MEMBERNOTFOUND (other kind of access), DISP_E_BADPARAMCOUNT,
    // DISP_E_TYPEMISMATCH (a type, a by-reference/by-value mix-up, a put without its named
    // argument) or E_INVALIDARG (a fixed value differs). Methods of the word processor take
    // every argument by reference (VT_VARIANT | VT_BYREF), all others by value.
    HRESULT Check(Kind kind, bool byReference, const std::vector<ExpectedArg>& expected);
    // The text of a VT_BSTR argument (0 = first), after Check.
    std::wstring Text(size_t index) const;
    // Answers with an object (the caller's reference passes on) or, for nullptr, with an empty
    // object reference (VT_DISPATCH holding null): what a caller asking for an object takes
    // as "no object", where VT_EMPTY would not convert to an object and so fail the call.
    void ReturnObject(IDispatch* object);
    // Fills the caller's EXCEPINFO; returns DISP_E_EXCEPTION.
    HRESULT Raise(SCODE scode, const std::wstring& description);

    static ExpectedArg Path() { return {VT_BSTR, 0}; }
    static ExpectedArg Omitted() { return {VT_ERROR, static_cast<LONG>(DISP_E_PARAMNOTFOUND)}; }
    static ExpectedArg I2(short value) { return {VT_I2, value}; }
    static ExpectedArg I4(LONG value) { return {VT_I4, value}; }
    static ExpectedArg False() { return {VT_BOOL, VARIANT_FALSE}; }

private:
    HRESULT CheckNamedArguments(Kind kind) const;
    HRESULT CheckArgument(size_t index, bool byReference, const ExpectedArg& expected) const;
    const VARIANT& Argument(size_t index) const;
    const VARIANT& Value(size_t index) const;

    DISPID m_id;
    WORD m_flags;
    DISPPARAMS m_params;
    VARIANT* m_result;
    EXCEPINFO* m_error;
    UINT* m_argError;
    const wchar_t* m_errorSource;
};
