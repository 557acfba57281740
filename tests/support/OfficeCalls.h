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
};
