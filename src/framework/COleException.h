#pragma once
// Automation failures, thrown by value from COleDispatchDriver and caught by const reference.
#include "framework/CString.h"

class CException {
public:
    virtual ~CException() = default;
};

// Any failed automation call; m_sc is what the call returned. Catching it catches both kinds.
class COleException : public CException {
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    // The code a failure is reported with: the server's own where it gave one.
    virtual SCODE GetErrorCode() const { return m_sc; }
    // The server's own description; "" where it gave none.
    virtual CString GetDescription() const { return CString(); }
    SCODE m_sc;
};

// DISP_E_EXCEPTION: the server's own error, with its code and description.
class COleDispatchException : public COleException {
public:
    COleDispatchException(SCODE sc, WORD wCode, const CString& description, const CString& source)
        : COleException(DISP_E_EXCEPTION), m_scError(sc), m_wCode(wCode),
          m_strDescription(description), m_strSource(source) {}
    SCODE GetErrorCode() const override { return m_scError; }
    CString GetDescription() const override { return m_strDescription; }
    SCODE m_scError;
    WORD m_wCode;
    CString m_strDescription;
    CString m_strSource;
};
