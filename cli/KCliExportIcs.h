#pragma once

#include "KCliHost.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"

#include <iosfwd>
#include <string>
#include <vector>

// orvella-cli export-ics FILE [--date YYYY-MM-DD] [--weeks N] [--settings FILE] [-o OUT]
namespace KCliExportIcs {

// "orvella-cli export-ics ..." and the lines that explain it.
extern const char *const Synopsis;
extern const char *const Explanation;

// args are the arguments after "export-ics". Exit status as for the other commands.
int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KCliHost &host);

} // namespace KCliExportIcs
