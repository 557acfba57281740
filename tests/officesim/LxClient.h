#pragma once
#include "framework/COleDispatchDriver.h"

// Drives the spreadsheet stand-in with the converter's calls S1 to S7, argument for argument
// (every method argument by value). A failed call throws as the automation layer does.
class LxClient {
public:
    // S1; false when the object cannot be created.
    bool Create(COleException* error = nullptr);
    // S2, S3 and S4.
    void Start();
    // S5; true when the open yields a workbook.
    bool Open(const char* source);
    // S6 and S7 on the open workbook.
    void SaveAs(const char* target);
    void Close();
    // Drops every reference, as the converter does instead of quitting the spreadsheet.
    void Release();

    COleDispatchDriver m_server;
    COleDispatchDriver m_app;
    COleDispatchDriver m_workbooks;
    COleDispatchDriver m_workbook;
};
