#pragma once

#include "platform/core/KClock.h"
#include "platform/core/KFileSystem.h"
#include "platform/core/KPrompter.h"

#include <iosfwd>
#include <string>
#include <vector>

// orvella-cli now FILE [--at HH:MM:SS] [--weekday 0-6] [--json]: the frame that holds a time.
namespace KCliNow {

extern const char *const Synopsis;
extern const char *const Explanation;

// Exit status when no frame holds the time.
constexpr int ExitNoFrame = 4;

// args are the arguments after "now".
int Run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err, KFileSystem &files,
        KPrompter &prompter, const KClock &clock);

} // namespace KCliNow
