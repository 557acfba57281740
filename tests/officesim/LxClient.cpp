#include "LxClient.h"

#define VTS_VARIANT_4 VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT

bool LxClient::Create(COleException* error) {
    return m_server.CreateDispatch("LX.Exe", error) != FALSE;
}

void LxClient::Start() {
    LPDISPATCH app = nullptr;
    m_server.GetProperty(1, VT_DISPATCH, &app);
    m_app.AttachDispatch(app);
    LPDISPATCH workbooks = nullptr;
    m_app.GetProperty(572, VT_DISPATCH, &workbooks);
    m_workbooks.AttachDispatch(workbooks);
    m_app.SetProperty(1695, VT_BOOL, FALSE);
}

bool LxClient::Open(const char* source) {
    COleVariant omitted = OleOmittedArgument();
    const VARIANT* o = omitted;
    LPDISPATCH workbook = nullptr;
    m_workbooks.InvokeHelper(682, DISPATCH_METHOD, VT_DISPATCH, &workbook,
                             VTS_BSTR VTS_VARIANT_4 VTS_VARIANT_4 VTS_VARIANT_4, source, o, o, o, o,
                             o, o, o, o, o, o, o, o);
    m_workbook.AttachDispatch(workbook);
    return workbook != nullptr;
}

void LxClient::SaveAs(const char* target) {
    COleVariant omitted = OleOmittedArgument();
    const VARIANT* o = omitted;
    m_workbook.InvokeHelper(284, DISPATCH_METHOD, VT_EMPTY, nullptr,
                            VTS_BSTR VTS_VARIANT_4 VTS_VARIANT VTS_I4 VTS_VARIANT_4, target, o, o,
                            o, o, o, 0L, o, o, o, o);
}

void LxClient::Close() {
    m_workbook.InvokeHelper(277, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_I2 VTS_I2 VTS_I2, 0, 0, 0);
}

void LxClient::Release() {
    m_workbook.ReleaseDispatch();
    m_workbooks.ReleaseDispatch();
    m_app.ReleaseDispatch();
    m_server.ReleaseDispatch();
}
