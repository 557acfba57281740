// tandrelc: the console front end of the conversion engine, for scripts and scheduled runs.
#include "cli/CCommandLine.h"
#include "cli/CConsoleJob.h"
#include "cli/CConsoleOut.h"
#include "cli/ConsoleTexts.h"
#include "cli/ProgramVersion.h"

#include <vector>

int main(int argc, char** argv) {
    // The C runtime splits the command line as the ANSI code page gives it (GetCommandLineA).
    std::vector<CString> args(argv + 1, argv + argc);
    CConsoleOut out;
    CCommandLine cmd;
    if (!cmd.Parse(args)) {
        out.Error(CString(texts::kPrefix) + cmd.m_strError);
        out.Error(CString(texts::kPrefix) + texts::kUsageHint);
        return CConsoleJob::EXIT_USAGE;
    }
    if (cmd.m_bHelp) {
        out.Write(texts::kUsage);
        return CConsoleJob::EXIT_DONE;
    }
    if (cmd.m_bVersion) {
        out.Line(CString("tandrelc ") + ProgramVersion());
        return CConsoleJob::EXIT_DONE;
    }
    CConsoleJob job(out);
    return job.Run(cmd);
}
