#pragma once
// A reference to an automation object. A call through an empty reference does nothing and
// raises nothing; a failed call throws COleDispatchException (DISP_E_EXCEPTION) or COleException.
#include "framework/COleException.h"
#include "framework/COleVariant.h"

// Argument type codes of InvokeHelper's parameter string, as MFC spells them.
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"     // const char*, converted from the ANSI code page
#define VTS_DISPATCH "\x09" // LPDISPATCH
#define VTS_SCODE "\x0A"    // SCODE, passed as VT_ERROR
#define VTS_BOOL "\x0B"     // BOOL
#define VTS_VARIANT "\x0C"  // const VARIANT*, passed by value
#define VTS_PVARIANT "\x4C" // VARIANT*, passed as VT_VARIANT | VT_BYREF
#define VTS_NONE nullptr

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& other);
    ~COleDispatchDriver() { ReleaseDispatch(); }
    COleDispatchDriver& operator=(const COleDispatchDriver& other);
    COleDispatchDriver& operator=(LPDISPATCH lpDispatch);

    BOOL CreateDispatch(const char* progId, COleException* pError = nullptr);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // vtRet/pvRet: VT_EMPTY (null), VT_DISPATCH (LPDISPATCH*), VT_I2 (short*), VT_I4 (long*),
    // VT_BOOL (BOOL*), VT_BSTR (CString*), VT_VARIANT (VARIANT*).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                      const char* pbParamInfo, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    // The value follows as one argument of the type vtProp names (as in VTS_ codes).
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;

private:
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const char* pbParamInfo, va_list args);
};
