#pragma once
// The test side of the stand-in office servers (officesim/): their settings in the registry,
// their call journal, their document format and their processes.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// Owns HKEY_CURRENT_USER\Software\Tandrel\OfficeSim for one test: made empty, with the journal
// going to a fresh file of its own, and removed again at destruction.
class OfficeSim {
public:
    OfficeSim();
    ~OfficeSim();
    OfficeSim(const OfficeSim&) = delete;
    OfficeSim& operator=(const OfficeSim&) = delete;

    // Sets the fault rules for a source file name ("bad.doc"), rules separated by ";":
    // open-nothing, open-error:<hex>:<text>, save-error:..., close-error:...,
    // save-fail:<hex>, save-nothing, save-die, delay:<open|save|close>:<ms>,
    // hang:<open|save|close>, busy:<n>. "" removes them.
    void Fault(const std::string& fileName, const std::string& rule);
    // Makes the server of this ProgID exit before it registers its class ("" for none).
    void RefuseStart(const std::string& progId);
    // Makes the first property write of this ProgID's application fail ("" for none).
    void StartError(const std::string& progId);
    // The cost of every open and save and the single-process mode, as officesim/README.md
    // describes the Work value ("sleep:25;single-process"); "" for none.
    void Work(const std::string& value);
    // Makes the word processor's quit fail (its process stays).
    void QuitError(bool on);
    // Removes the registration of this ProgID's server, as on a machine without the application;
    // it is registered again by RegisterAgain or when this object goes.
    void Unregister(const std::string& progId);
    void RegisterAgain();

    const std::string& JournalPath() const { return m_journal; }
    // The journal's lines, without their CR LF.
    std::vector<std::string> JournalLines() const;
    // The lines without their process-id field: "qor.app\tPUT\t23\tBOOL:0".
    std::vector<std::string> Calls() const;
    // The server processes that wrote the journal, each once, in the order they first appear.
    std::vector<DWORD> JournalPids() const;
    // The process that served the first call journaled as call (a Calls() line); 0 for none.
    DWORD PidOf(const std::string& call) const;
    void ClearJournal();

    // A stand-in document: "OFFICESIM <format>\r\n" and the payload ("" format: payload only).
    static void WriteDoc(const std::string& path, const std::string& format,
                         const std::string& payload);
    // Reads one; format is "" for a file without header. False when it cannot be read.
    static bool ReadDoc(const std::string& path, std::string* format, std::string* payload);

    // Running qorsim and lxsim processes of this Wine prefix.
    static std::vector<DWORD> ServerPids();
    // Those of them that are not in before.
    static std::vector<DWORD> ServerPidsSince(const std::vector<DWORD>& before);
    // Ends them all and waits until they are gone.
    static void KillServers();
    // Waits until a process has ended; true when it has within timeoutMs.
    static bool WaitForExit(DWORD pid, DWORD timeoutMs);

private:
    TempDir m_dir;
    std::string m_journal;
    std::vector<std::string> m_unregistered; // command lines of the servers to register again
};

// Whether a file is a stand-in document of format holding exactly payload.
testing::AssertionResult IsDoc(const std::string& path, const std::string& format,
                               const std::string& payload);
