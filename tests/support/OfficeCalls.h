#pragma once
// The journal entries (OfficeSim::Calls, without the process id) that the converter's automation
// calls leave in the stand-in servers, step by step.
#include <string>
#include <vector>

class OfficeCalls {
public:
    // W1 to W3: creation, property 23 set to False, the document collection read.
    static std::vector<std::string> WordStart();
    // W4 to W7 for one file: open, property 4101 set to False, save under target, close.
    static std::vector<std::string> WordConvert(const std::string& source,
                                                const std::string& target);
    // W8.
    static std::string WordQuit();
    // S1 to S4: creation, the application read, its workbooks read, property 1695 set to False.
    static std::vector<std::string> SheetStart();
    // S5 to S7 for one file: open, save under target, close.
    static std::vector<std::string> SheetConvert(const std::string& source,
                                                 const std::string& target);

    // The arguments of single steps, first to last, as the journal writes them.
    static std::vector<std::string> WordOpenArgs(const std::string& path);    // W4, 15
    static std::vector<std::string> WordSaveArgs(const std::string& target);  // W6, 16
    static std::vector<std::string> WordCloseArgs();                          // W7, 3
    static std::vector<std::string> WordQuitArgs();                           // W8, 3
    static std::vector<std::string> SheetOpenArgs(const std::string& path);   // S5, 13
    static std::vector<std::string> SheetSaveArgs(const std::string& target); // S6, 11
    static std::vector<std::string> SheetCloseArgs();                         // S7, 3

    // One journal entry: object TAB kind TAB dispid, then TAB and each argument.
    static std::string Entry(const std::string& object, const std::string& kind,
                             const std::string& dispid, const std::vector<std::string>& args = {});
};
