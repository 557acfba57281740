#include "QorClient.h"

#define VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT

bool QorClient::Create(COleException* error) {
    return m_app.CreateDispatch("Qor.Application", error) != FALSE;
}

void QorClient::Start() {
    m_app.SetProperty(23, VT_BOOL, FALSE);
    LPDISPATCH documents = nullptr;
    m_app.GetProperty(6, VT_DISPATCH, &documents);
    m_documents.AttachDispatch(documents);
}

bool QorClient::Open(const char* source) {
    COleVariant path(source), one(static_cast<short>(1));
    COleVariant omitted = OleOmittedArgument();
    VARIANT* o = omitted;
    LPDISPATCH document = nullptr;
    m_documents.InvokeHelper(
        18, DISPATCH_METHOD, VT_DISPATCH, &document,
        VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT,
        static_cast<VARIANT*>(path), o, static_cast<VARIANT*>(one), o, o, o, o, o, o, o, o, o, o, o,
        o);
    m_document.AttachDispatch(document);
    return document != nullptr;
}

void QorClient::MarkUnchanged() {
    m_document.SetProperty(4101, VT_BOOL, FALSE);
}

void QorClient::SaveAs(const char* target) {
    COleVariant path(target), zero(static_cast<short>(0));
    COleVariant omitted = OleOmittedArgument();
    VARIANT* o = omitted;
    m_document.InvokeHelper(376, DISPATCH_METHOD, VT_EMPTY, nullptr,
                            VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4 VTS_PVARIANT_4,
                            static_cast<VARIANT*>(path), static_cast<VARIANT*>(zero), o, o, o, o, o,
                            o, o, o, o, o, o, o, o, o);
}

void QorClient::Close() {
    COleVariant zero(static_cast<short>(0)), two(static_cast<short>(2));
    COleVariant omitted = OleOmittedArgument();
    m_document.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr,
                            VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT, static_cast<VARIANT*>(zero),
                            static_cast<VARIANT*>(two), static_cast<VARIANT*>(omitted));
}

void QorClient::Convert(const char* source, const char* target) {
    if (!Open(source))
        return;
    MarkUnchanged();
    SaveAs(target);
    Close();
    m_document.ReleaseDispatch();
}

void QorClient::Quit() {
    COleVariant zero(static_cast<short>(0));
    COleVariant omitted = OleOmittedArgument();
    m_app.InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, nullptr,
                       VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT, static_cast<VARIANT*>(zero),
                       static_cast<VARIANT*>(omitted), static_cast<VARIANT*>(omitted));
}

void QorClient::Release() {
    m_document.ReleaseDispatch();
    m_documents.ReleaseDispatch();
    m_app.ReleaseDispatch();
}
