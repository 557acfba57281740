#include "convert/CallLimits.h"

CallLimits CallLimits::ForJobs() {
    // Busy spells of a healthy application (saving, recalculating) last seconds: half a minute
    // of retries outlasts them, and a file stuck behind a dialog costs no more than that. One
    // call may take minutes for a very large document on a slow machine: five minutes is far
    // beyond that and still ends a hang. Stop waits three seconds, so that Close's own five
    // seconds find the job ended; quitting applications end within a few seconds.
    return {250, 30000, 300000, 3000, 5000};
}
