#pragma once
#include <objbase.h>

// COM for the test's thread, for as long as the object lives: declare it before the automation
// references so that it outlives them.
class ComApartment {
public:
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};
