#pragma once
// A drive letter of its own for a test folder. DefineDosDevice gives letters that files cannot be
// reached through under Wine, so the letter is made by Wine's mount manager, as its drive
// configuration does; the letter is removed again at destruction.
#include <windows.h>

#include <string>

class TestDrive {
public:
    TestDrive(const std::string& folder, UINT nDriveType);
    ~TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    bool ok() const { return m_letter != 0; }
    std::string root() const { return std::string(1, m_letter) + ":\\"; }

private:
    bool Define(char letter, UINT nDriveType, const std::string& unixPath);
    char m_letter = 0;
};
