#pragma once
// The order in which a job's folder walk meets files, read with the plain find functions rather
// than the program's own: depth first, each folder in the file system's listing order (which the
// walk must keep, whatever it is), hidden entries and all under them left out.
#include <string>
#include <vector>

// Every such file under folder, by full path.
std::vector<std::string> FilesInWalkOrder(const std::string& folder);
