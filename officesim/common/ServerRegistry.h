#pragma once
#include "common/ServerIdentity.h"

#include <string>

// The class registration of a stand-in server under HKEY_LOCAL_MACHINE\Software\Classes:
// ProgID -> CLSID, and CLSID\{...} with LocalServer32 = this program's full path.
class ServerRegistry {
public:
    static bool Register(const ServerIdentity& identity);
    static bool Unregister(const ServerIdentity& identity);

private:
    static std::string ClsidText(const CLSID& clsid);
    static bool SetDefault(const std::string& key, const std::string& value);
};
