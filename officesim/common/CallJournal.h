#pragma once
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

// The journal of automation calls that tests compare with the calls they expect. One line per
// call, appended to the file that the Journal setting names (opened and closed for every line,
// so that the file is complete at any moment), in code page 936, ended by CR LF:
// <pid> TAB <object> TAB <kind> TAB <dispid> [TAB <argument>]...
class CallJournal {
public:
    static void Append(const std::string& object, const std::string& kind,
                       const std::string& dispid, const std::vector<std::string>& arguments);
    // The journal's form of one argument: "I2:1", "BSTR:C:\a.doc", "REF:ERROR:80020004".
    static std::string Describe(const VARIANT& value);
};
