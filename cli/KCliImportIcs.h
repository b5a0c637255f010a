#pragma once

#include "KCliHost.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"

#include <iosfwd>
#include <string>
#include <vector>

// orvella-cli import-ics FILE.ics --date YYYY-MM-DD [-o OUT.ors] [--json]
namespace KCliImportIcs {

extern const char *const Synopsis;
extern const char *const Explanation;

// args are the arguments after "import-ics". Exit status: 0 the day was made (and written
// with -o), 1 the calendar or the output file was refused, 2 a usage error.
int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KCliHost &host);

} // namespace KCliImportIcs
