#pragma once

#include "KCliHost.h"
#include "platform/core/KClock.h"
#include "platform/core/KFileSystem.h"

#include <iosfwd>
#include <string>
#include <vector>

// The commands of orvella-cli. Exit status: 0 done, 1 the file was refused, 2 a usage error
// (bad arguments or a JSON input that cannot be written), 3 check found a problem.
namespace KCliCommands {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;
// check: the schedule has a problem.
constexpr int ExitProblems = 3;

// args are the arguments after the program name. Without a host the machine's own is used.
int Run(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err,
        KFileSystem &files, const KCliHost *host = nullptr, const KClock *clock = nullptr);

} // namespace KCliCommands
