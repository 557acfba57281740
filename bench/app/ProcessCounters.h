#pragma once
// What a process holds, read from outside it: kernel handles, GDI and USER objects, private
// bytes. Where the platform's own counters are missing (Wine answers GetProcessHandleCount with
// 0 and has no GetGuiResources), the nearest reading it offers is taken and named as such.
#include <windows.h>

#include <string>

struct ProcessCounters {
    long handles = -1;     // -1: no reading
    long gdiObjects = -1;  // -1: the platform does not count them
    long userObjects = -1; // GetGuiResources, or else the process's windows
    long windows = 0;      // top-level and child windows of the process
    SIZE_T privateBytes = 0;

    static ProcessCounters Of(HANDLE hProcess);
    // Where each figure came from, for the report.
    static std::string Sources(HANDLE hProcess);
};
