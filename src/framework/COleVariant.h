#pragma once
// An owned VARIANT. Text is converted from the ANSI code page to a BSTR.
#include <windows.h>

#include <oleauto.h>

class COleVariant : public tagVARIANT {
public:
    COleVariant();
    COleVariant(const char* text);
    // vtSrc is VT_I2 or VT_BOOL.
    COleVariant(short value, VARTYPE vtSrc = VT_I2);
    // vtSrc is VT_I4 or VT_ERROR.
    COleVariant(long value, VARTYPE vtSrc = VT_I4);
    COleVariant(const VARIANT& src);
    COleVariant(const COleVariant& src);
    ~COleVariant();
    COleVariant& operator=(const COleVariant& src);

    void Clear();
    operator VARIANT*() { return this; }
    operator const VARIANT*() const { return this; }
};

// VT_ERROR with DISP_E_PARAMNOTFOUND: an optional argument left out.
COleVariant OleOmittedArgument();
BSTR AnsiToBstr(const char* text);
