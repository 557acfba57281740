#include "common/OfficeSimSettings.h"

#include <vector>

std::string OfficeSimSettings::JournalPath() {
    return ReadText(kKey, "Journal");
}

std::string OfficeSimSettings::FaultRules(const std::string& fileName) {
    return ReadText(std::string(kKey) + "\\Faults", fileName);
}

std::string OfficeSimSettings::RefuseStart() {
    return ReadText(kKey, "RefuseStart");
}

std::string OfficeSimSettings::StartError() {
    return ReadText(kKey, "StartError");
}

std::string OfficeSimSettings::Work() {
    return ReadText(kKey, "Work");
}

bool OfficeSimSettings::QuitError() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, "QuitError", RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return false;
    return value != 0;
}

std::string OfficeSimSettings::ReadText(const std::string& subKey, const std::string& name) {
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return std::string();
    std::vector<char> text(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     text.data(), &size) != ERROR_SUCCESS)
        return std::string();
    return std::string(text.data());
}

std::vector<std::string> OfficeSimSettings::Items(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}
