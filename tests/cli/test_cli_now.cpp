// orvella-cli now: the frame of a time, across midnight, on gaps and through week files.
#include "KCliCommands.h"
#include "KCliJson.h"
#include "cli/CliRunner.h"
#include "platform/fakes/KFakeClock.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using Json = KCliJson::Json;

struct CliNowTest : CliRunner {
    KFakeClock clock;

    void SetUp() override
    {
        // 12:00-13:00 lunch, a gap until 14:00, 14:00-23:00 work, 23:00 + 2:00 night.
        KDaySchedule s;
        s.AppendFrame(KScheduleFrame({12, 0, 0}, {1, 0, 0}, u"昼食", 0, u"社食"));
        s.AppendFrame(KScheduleFrame({14, 0, 0}, {9, 0, 0}, u"仕\x1b[2J事", 0, u""));
        s.AppendFrame(KScheduleFrame({23, 0, 0}, {2, 0, 0}, u"夜", 0, u""));
        files.Put(u"/p/day.ors", KScheduleFile::BuildImage(s, u""));
        KDaySchedule other;
        other.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0}, u"休み", 0, u""));
        files.Put(u"/p/sun.ors", KScheduleFile::BuildImage(other, u""));
        KWeekSchConfig week;
        week.SetDayFile(0, u"/p/sun.ors");
        week.SetDayFile(3, u"/p/day.ors");
        week.SetDayFile(5, u"/p/gone.ors");
        files.Put(u"/p/week.orw", KWeekSchFile::BuildImage(week));
        clock.Set(12, 18, 0, 3);
    }

    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "now");
        return RunCli(args, "", nullptr, &clock);
    }
    Json J() const { return Json::parse(out); }
};

} // namespace

TEST_F(CliNowTest, CurrentAndNextFrame)
{
    ASSERT_EQ(Run({"/p/day.ors"}), 0) << err;
    EXPECT_EQ(out, "昼食 12:00\u201313:00 あと 00:42\n");

    ASSERT_EQ(Run({"/p/day.ors", "--json"}), 0);
    Json j = J();
    EXPECT_EQ(j["time"], "12:18:00");
    EXPECT_EQ(j["current"]["index"], 0);
    EXPECT_EQ(j["current"]["item"], "昼食");
    EXPECT_EQ(j["current"]["memo"], "社食");
    EXPECT_EQ(j["current"]["end"], "13:00:00");
    EXPECT_EQ(j["current"]["remaining"], "00:42:00");
    EXPECT_EQ(j["next"]["index"], 1);
    EXPECT_EQ(j["next"]["in"], "00:42:00");
    EXPECT_FALSE(j.contains("dayFile"));
}

TEST_F(CliNowTest, AcrossMidnightTheEndWrapsAndTimesCountForward)
{
    ASSERT_EQ(Run({"/p/day.ors", "--at", "23:30:00", "--json"}), 0);
    Json j = J();
    EXPECT_EQ(j["current"]["item"], "夜");
    EXPECT_EQ(j["current"]["end"], "01:00:00");
    EXPECT_EQ(j["current"]["remaining"], "01:30:00");
    EXPECT_EQ(j["next"]["item"], "昼食"); // the first frame again
    ASSERT_EQ(Run({"/p/day.ors", "--at", "00:15:00", "--json"}), 0);
    EXPECT_EQ(J()["current"]["remaining"], "00:45:00");

    // In the gap after the night: no frame, the next one is lunch, 11 hours away.
    ASSERT_EQ(Run({"/p/day.ors", "--at", "01:00:00", "--json"}), 4);
    j = J();
    EXPECT_TRUE(j["current"].is_null());
    EXPECT_EQ(j["next"]["item"], "昼食");
    EXPECT_EQ(j["next"]["in"], "11:00:00");
}

TEST_F(CliNowTest, GapTextAndControlCharactersStripped)
{
    ASSERT_EQ(Run({"/p/day.ors", "--at", "13:30:00"}), 4);
    EXPECT_EQ(out, "予定なし 次 仕[2J事 14:00 まで 00:30\n");
    EXPECT_EQ(out.find('\x1b'), std::string::npos);
}

TEST_F(CliNowTest, WeekFilesTakeTheWeekdaysDayFile)
{
    ASSERT_EQ(Run({"/p/week.orw", "--json"}), 0); // Wednesday by the clock
    EXPECT_EQ(J()["dayFile"], "/p/day.ors");
    ASSERT_EQ(Run({"/p/week.orw", "--weekday", "0", "--json"}), 0);
    EXPECT_EQ(J()["dayFile"], "/p/sun.ors");
    EXPECT_EQ(J()["current"]["item"], "休み");
    // No day file for Monday: nothing is planned.
    ASSERT_EQ(Run({"/p/week.orw", "--weekday", "1", "--json"}), 4);
    EXPECT_TRUE(J()["dayFile"].is_null());
    // Friday's file is gone: refused like show, with its error object.
    ASSERT_EQ(Run({"/p/week.orw", "--weekday", "5", "--json"}), 1);
    EXPECT_EQ(J()["error"], 16);
}

TEST_F(CliNowTest, RefusalsAndUsageErrors)
{
    EXPECT_EQ(Run({"/p/none.ors"}), 1);
    files.Put(u"/p/x.ors", std::vector<uint8_t>(64, 'x'));
    EXPECT_EQ(Run({"/p/x.ors", "--json"}), 1);
    for (std::vector<std::string> bad : {std::vector<std::string>{},
                                         {"/p/day.ors", "--at", "24:00:00"},
                                         {"/p/day.ors", "--at", "9:00"},
                                         {"/p/day.ors", "--weekday", "7"},
                                         {"/p/day.ors", "--at"},
                                         {"/p/day.ors", "--frob"},
                                         {"/p/a", "/p/b"}})
        EXPECT_EQ(Run(bad), 2) << (bad.empty() ? "" : bad.back());
}
