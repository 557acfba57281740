#pragma once
// The running program's version, read from its own version resource, where the build puts the
// product's one version number.
#include "framework/CString.h"

// "1.0.0.1", or "" when the program carries no version resource.
CString ProgramVersion();
