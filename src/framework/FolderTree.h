#pragma once
// Creating an output folder with the folders above it, as Start does before a job.
#include <windows.h>

// Creates path and every missing folder above it, parent first, stopping at the first level
// that exists; one trailing "\" is ignored. TRUE when the folder exists afterwards. A path
// without any "\" cannot be created.
BOOL CreateDirTree(const char* path);
