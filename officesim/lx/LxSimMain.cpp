// lxsim.exe: the stand-in for the LX spreadsheet ("LX.Exe").
#include "common/ServerProcess.h"
#include "lx/LxServer.h"

namespace {

const ServerIdentity kLx = {
    "LX.Exe",
    {0xc7bb296a, 0x7e52, 0x4113, {0xb3, 0x0b, 0xdd, 0xa2, 0x62, 0x97, 0x3b, 0xb8}},
    "LX spreadsheet (Tandrel stand-in)",
    L"LX",
    {"xls", "xlt", "lx", "lxt"},
};

AutomationObject* CreateServer(ServerProcess& server) {
    return new LxServer(server);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ServerProcess process(kLx, CreateServer);
    return process.Run();
}
