#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The stand-ins' test settings under HKEY_CURRENT_USER\Software\Tandrel\OfficeSim. Each is read
// afresh when it is needed, so that a test can change it between two calls.
class OfficeSimSettings {
public:
    static constexpr const char* kKey = "Software\\Tandrel\\OfficeSim";

    // Windows path of the call journal; "" when calls are not journaled.
    static std::string JournalPath();
    // The fault rules configured for a source file name (matched without regard to case).
    static std::string FaultRules(const std::string& fileName);
    // The ProgID whose server must refuse to start; "" for none.
    static std::string RefuseStart();
    // The ProgID whose application fails its first property write after creation; "" for none.
    static std::string StartError();
    // The cost of every open and save, and the single-process mode (see Workload).
    static std::string Work();
    // Whether the word processor's quit must fail.
    static bool QuitError();
    // The ';'-separated items of a setting's text, empty ones left out.
    static std::vector<std::string> Items(const std::string& text);

private:
    static std::string ReadText(const std::string& subKey, const std::string& name);
};
