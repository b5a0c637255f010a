// orvella-cli: shows the program's files and writes schedule and week schedule files.
#include "KCliCommands.h"
#include "platform/core/KStdFileSystem.h"

#include <iostream>

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    KStdFileSystem files;
    return KCliCommands::Run(args, std::cin, std::cout, std::cerr, files);
}
