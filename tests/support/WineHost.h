#pragma once
// What a test needs from the Unix side of Wine: Unix paths and symbolic links.
#include <string>

// The Unix path of a Windows path (UTF-8), or "" when not running under Wine.
std::string UnixPathOf(const std::string& windowsPath);
// Runs a shell command line (UTF-8 Unix paths stay as they are) and waits until the shell has
// got past it; false when it did not within limitMs. Its exit code does not come back through
// Wine: check its effect.
bool RunUnixCommand(const std::string& commandLine, unsigned long limitMs = 30000);
// Creates a Unix symbolic link named linkPath pointing at target (both Windows paths; the
// link's parent folder must exist). Wine shows a link to a folder as an ordinary folder.
bool MakeUnixSymlink(const std::string& target, const std::string& linkPath);
// Removes such a link (Windows functions would follow it to the folder it points at).
bool RemoveUnixSymlink(const std::string& linkPath);
