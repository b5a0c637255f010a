#include "KCliCommands.h"
#include "KCliJson.h"
#include "cli/CliRunner.h"
#include "platform/fakes/KFakeFileSystem.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using Json = KCliJson::Json;

struct CliCheckTest : CliRunner {
    int Run(std::vector<std::string> args, const std::string &input = "") { return RunCli(args, input); }

    // Writes a schedule of {start, duration} frames to path.
    void Write(const std::string &path, std::vector<std::pair<std::string, std::string>> frames)
    {
        Json j = {{"kind", "schedule"}, {"title", "t"}, {"frames", Json::array()}};
        for (const auto &[start, duration] : frames)
            j["frames"].push_back(
                {{"start", start}, {"duration", duration}, {"item", "仕事"}, {"color", "#FFFFFF"}});
        ASSERT_EQ(Run({"write", path}, j.dump()), 0) << err;
    }
};

} // namespace

TEST_F(CliCheckTest, JsonReportsCodesTotalAndTheFrameLeavingWouldShow)
{
    Write("/d/clean.ors", {{"00:00:00", "07:00:00"}, {"07:00:00", "17:00:00"}});
    ASSERT_EQ(Run({"check", "/d/clean.ors", "--json"}), 0) << err;
    Json j = Json::parse(out);
    EXPECT_EQ(j["frames"], Json::parse(R"([{"index":0,"code":0},{"index":1,"code":0}])"));
    EXPECT_EQ(j["problems"], 0);
    EXPECT_EQ(j["overFullDay"], false);
    EXPECT_EQ(j["total"], "24:00:00");
    EXPECT_TRUE(j["report"].is_null());

    Write("/d/overlap.ors", {{"00:00:00", "08:00:00"}, {"07:00:00", "17:00:00"}});
    ASSERT_EQ(Run({"check", "--json", "/d/overlap.ors"}), 3);
    j = Json::parse(out);
    EXPECT_EQ(j["problems"], 2);
    EXPECT_EQ(j["overFullDay"], true);
    EXPECT_EQ(j["total"], "25:00:00");
    EXPECT_EQ(j["report"], Json::parse(R"({"index":0,"code":2})"));

    Write("/d/two-days.ors", {{"00:00:00", "24:00:00"}, {"00:00:00", "24:00:00"}});
    ASSERT_EQ(Run({"check", "/d/two-days.ors", "--json"}), 3);
    j = Json::parse(out);
    EXPECT_EQ(j["problems"], 0);
    EXPECT_EQ(j["total"], "48:00:00");
    EXPECT_EQ(j["report"], Json::parse(R"({"index":null,"code":9})"));
}

TEST_F(CliCheckTest, TextListsFaultyFramesInBothLanguages)
{
    Write("/d/gap.ors", {{"00:00:00", "07:00:00"}, {"08:00:00", "16:00:00"}});
    ASSERT_EQ(Run({"check", "/d/gap.ors"}), 3);
    EXPECT_NE(
        out.find("frame 1 (00:00-07:00 仕事): code 5: スケジュールされていない時間があります。 / There is "
                 "not-scheduled time.\n"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("frame 2 (08:00-00:00 仕事): code 4:"), std::string::npos) << out;
    EXPECT_NE(out.find("total: 23:00:00\n"), std::string::npos);
    EXPECT_EQ(out.find("code 9"), std::string::npos);
}

TEST_F(CliCheckTest, RefusalsAndUsage)
{
    ASSERT_EQ(Run({"check", "/d/none.ors", "--json"}), 1);
    Json j = Json::parse(out);
    EXPECT_EQ(j["error"], 16) << out;
    ASSERT_EQ(Run({"write", "/d/w.orw"}, R"({"kind":"week","days":[null,null,null,null,null,null,null]})"), 0)
        << err;
    EXPECT_EQ(Run({"check", "/d/w.orw"}), 1);
    EXPECT_EQ(Run({"check"}), 2);
    EXPECT_EQ(Run({"check", "a", "b"}), 2);
    EXPECT_EQ(Run({"check", "/d/x.ors", "--verbose"}), 2);
}
