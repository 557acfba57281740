// qorsim.exe: the stand-in for the Qor word processor ("Qor.Application").
#include "common/ServerProcess.h"
#include "qor/QorApplication.h"

namespace {

const ServerIdentity kQor = {
    "Qor.Application",
    {0x8ab22d7e, 0xc641, 0x45bb, {0x81, 0x01, 0xe2, 0x01, 0x8c, 0x01, 0xf4, 0x55}},
    "Qor word processor (Tandrel stand-in)",
    L"Qor",
    {"doc", "dot", "qor", "qot"},
};

AutomationObject* CreateApplication(ServerProcess& server) {
    return new QorApplication(server);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ServerProcess process(kQor, CreateApplication);
    return process.Run();
}
