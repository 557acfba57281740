#include "common/ServerRegistry.h"

#include <objbase.h>

namespace {

constexpr char kClasses[] = "Software\\Classes\\";

} // namespace

bool ServerRegistry::Register(const ServerIdentity& identity) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::string progIdKey = kClasses + std::string(identity.progId);
    const std::string clsidKey = kClasses + std::string("CLSID\\") + ClsidText(identity.clsid);
    return SetDefault(progIdKey, identity.description) &&
           SetDefault(progIdKey + "\\CLSID", ClsidText(identity.clsid)) &&
           SetDefault(clsidKey, identity.description) &&
           SetDefault(clsidKey + "\\LocalServer32", "\"" + std::string(path) + "\"") &&
           SetDefault(clsidKey + "\\ProgID", identity.progId);
}

bool ServerRegistry::Unregister(const ServerIdentity& identity) {
    const std::string progIdKey = kClasses + std::string(identity.progId);
    const std::string clsidKey = kClasses + std::string("CLSID\\") + ClsidText(identity.clsid);
    LSTATUS progId = RegDeleteTreeA(HKEY_LOCAL_MACHINE, progIdKey.c_str());
    LSTATUS clsid = RegDeleteTreeA(HKEY_LOCAL_MACHINE, clsidKey.c_str());
    auto gone = [](LSTATUS status) {
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    };
    return gone(progId) && gone(clsid);
}

std::string ServerRegistry::ClsidText(const CLSID& clsid) {
    wchar_t wide[40];
    StringFromGUID2(clsid, wide, 40);
    std::string text;
    for (const wchar_t* c = wide; *c; ++c)
        text += static_cast<char>(*c);
    return text;
}

bool ServerRegistry::SetDefault(const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return false;
    LSTATUS status =
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}
