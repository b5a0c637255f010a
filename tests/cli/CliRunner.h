#pragma once

#include "KCliCommands.h"
#include "platform/fakes/KFakeFileSystem.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// Runs the command-line tool in the test process on fake files, keeping what it printed.
struct CliRunner : ::testing::Test {
    KFakeFileSystem files;
    std::string out, err;

    int RunCli(const std::vector<std::string> &args, const std::string &input = "",
               const KCliHost *host = nullptr, const KClock *clock = nullptr)
    {
        std::istringstream in(input);
        std::ostringstream o, e;
        int rc = KCliCommands::Run(args, in, o, e, files, host, clock);
        out = o.str();
        err = e.str();
        return rc;
    }
};
