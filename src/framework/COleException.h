#pragma once
// Automation failures, thrown by value from COleDispatchDriver and caught by const reference.
#include "framework/CString.h"

class CException {
public:
    virtual ~CException() = default;
};

// Any failed automation call that the server did not describe itself.
class COleException : public CException {
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    SCODE m_sc;
};

// DISP_E_EXCEPTION: the server's own error, with its code and description.
class COleDispatchException : public CException {
public:
    COleDispatchException(SCODE sc, WORD wCode, const CString& description, const CString& source)
        : m_scError(sc), m_wCode(wCode), m_strDescription(description), m_strSource(source) {}
    SCODE m_scError;
    WORD m_wCode;
    CString m_strDescription;
    CString m_strSource;
};
