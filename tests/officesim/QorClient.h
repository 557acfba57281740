#pragma once
#include "framework/COleDispatchDriver.h"

// Drives the word processor stand-in with the converter's calls W1 to W8, argument for argument
// (every method argument by reference). A failed call throws as the automation layer does.
class QorClient {
public:
    // W1; false when the object cannot be created.
    bool Create(COleException* error = nullptr);
    // W2 and W3.
    void Start();
    // W4; true when the open yields a document.
    bool Open(const char* source);
    // W5, W6 and W7 on the open document.
    void MarkUnchanged();
    void SaveAs(const char* target);
    void Close();
    // W4 to W7, then the document is released.
    void Convert(const char* source, const char* target);
    // W8.
    void Quit();
    void Release();

    COleDispatchDriver m_app;
    COleDispatchDriver m_documents;
    COleDispatchDriver m_document;
};
