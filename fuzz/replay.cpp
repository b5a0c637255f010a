// Runs every file of the given folders through one reader, as the fuzz targets do:
//   fuzz_replay schedule|week|settings|ical FOLDER...
// Used by the tests to replay the seed corpus and every crash found so far.
#include "FuzzTargets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz_replay schedule|week|settings|ical FOLDER...\n");
        return 2;
    }
    std::string reader = argv[1];
    int (*target)(const uint8_t *, size_t) = reader == "schedule"   ? FuzzScheduleReader
                                             : reader == "week"     ? FuzzWeekReader
                                             : reader == "settings" ? FuzzSettingsReader
                                             : reader == "ical"     ? FuzzICalImporter
                                                                    : nullptr;
    if (!target) {
        std::fprintf(stderr, "unknown reader %s\n", argv[1]);
        return 2;
    }
    int count = 0;
    for (int i = 2; i < argc; ++i) {
        std::error_code ec;
        if (!std::filesystem::is_directory(argv[i], ec))
            continue;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file() || entry.path().filename().string().rfind('.', 0) == 0)
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            target(data.data(), data.size());
            ++count;
        }
    }
    std::printf("%s: %d files replayed\n", reader.c_str(), count);
    return count > 0 ? 0 : 1;
}
