#pragma once
// What a stand-in server is and how its top object is made: the process registers it, the
// registry writes it down and the class factory makes objects of it, none knowing the others.
#include <windows.h>

class AutomationObject;
class ServerProcess;

// Its ProgID and class, the source name of its errors and the four formats its files come in.
struct ServerIdentity {
    const char* progId;
    CLSID clsid;
    const char* description;
    const wchar_t* errorSource;
    const char* formats[4];
};

// Makes the object that creating the class gives (the application, or the LX server object).
using CreateTopObject = AutomationObject* (*)(ServerProcess& server);

// The running server as its class factory sees it: a new top object on each creation, and the
// locks that keep the process alive.
class ObjectServer {
public:
    virtual AutomationObject* CreateTop() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;

protected:
    ~ObjectServer() = default;
};
