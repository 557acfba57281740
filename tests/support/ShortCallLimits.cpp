// Linked into test builds in place of the program's own limits (src/convert/CallLimits.cpp), so
// that a hang or a busy application is seen in seconds. The call limit stays well above what a
// healthy call takes on a loaded test machine (a first start takes a second or two).
#include "convert/CallLimits.h"

CallLimits CallLimits::ForJobs() {
    return {100, 1500, 10000, 1000, 5000};
}
