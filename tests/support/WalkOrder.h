#pragma once
// The order in which a job's folder walk meets files, read with the plain find functions rather
// than the program's own: depth first, each folder in the file system's listing order (which the
// walk must keep, whatever it is), hidden entries and all under them left out.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Each entry of one folder as the file system lists it, the dots left out.
void ForEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA&)>& visit);

// Every such file under folder, by full path.
std::vector<std::string> FilesInWalkOrder(const std::string& folder);
