#include "framework/COleVariant.h"

#include <vector>

BSTR AnsiToBstr(const char* text) {
    if (text == nullptr)
        text = "";
    int wide = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> buf(static_cast<size_t>(wide > 0 ? wide : 1));
    MultiByteToWideChar(CP_ACP, 0, text, -1, buf.data(), wide);
    return SysAllocString(buf.data());
}

COleVariant::COleVariant() : tagVARIANT() {
    VariantInit(this);
}

COleVariant::COleVariant(const char* text) : COleVariant() {
    vt = VT_BSTR;
    bstrVal = AnsiToBstr(text);
}

COleVariant::COleVariant(short value, VARTYPE vtSrc) : COleVariant() {
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = value;
}

COleVariant::COleVariant(long value, VARTYPE vtSrc) : COleVariant() {
    vt = vtSrc;
    if (vtSrc == VT_ERROR)
        scode = value;
    else
        lVal = value;
}

COleVariant::COleVariant(const VARIANT& src) : COleVariant() {
    VariantCopy(this, const_cast<VARIANT*>(&src));
}

COleVariant::COleVariant(const COleVariant& src) : COleVariant(static_cast<const VARIANT&>(src)) {}

COleVariant::~COleVariant() {
    VariantClear(this);
}

COleVariant& COleVariant::operator=(const COleVariant& src) {
    if (this != &src)
        VariantCopy(this, const_cast<COleVariant*>(&src));
    return *this;
}

void COleVariant::Clear() {
    VariantClear(this);
}

COleVariant OleOmittedArgument() {
    return COleVariant(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
}
