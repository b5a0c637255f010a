#include "KCliCommands.h"
#include "cli/CliRunner.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct KTestHost : KCliHost {
    KCivilDate Today() const override { return KCivilDate{2026, 12, 9}; }
    std::string UtcStamp() const override { return "20261209T101500Z"; }
    std::u16string SettingsFilePath() const override { return u"/data/OrvellaEnv.ore"; }
    std::u16string AbsolutePath(const std::u16string &path) const override { return u"/abs" + path; }
};

struct CliExportTest : CliRunner {
    KFakePrompter prompter;
    KTestHost host;

    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "export-ics");
        return RunCli(args, "", &host);
    }

    void PutDay(const std::u16string &path)
    {
        KDaySchedule day;
        day.AppendFrame(KScheduleFrame({8, 0, 0}, {1, 0, 0}, u"仕事", 0, u""));
        KScheduleFile f(files, prompter);
        f.SetFileName(path);
        f.WriteSchedule(day);
        ASSERT_EQ(f.ErrorCode, 0);
    }

    void PutWeek(const std::u16string &path, int day, const std::u16string &dayFile)
    {
        KWeekSchConfig week;
        week.SetDayFile(day, dayFile);
        files.Put(path, KWeekSchFile::BuildImage(week));
    }

    void PutSettings(const std::u16string &path)
    {
        KSchAlarmConfig alarm(4);
        alarm.SetMinutes(1, 5);
        alarm.SetPointOn(1, true);
        alarm.AlarmTypes = KSchAlarmConfig::SoundAlarm;
        KWeekSchConfig week;
        struct : KAppDataFolder {
            std::u16string Folder() const override { return u"/data"; }
        } folder;
        KOrvellaEnv env(files, prompter, folder);
        env.AlarmConfigRef = &alarm;
        env.WeekConfigRef = &week;
        ASSERT_TRUE(env.WriteSettings(path));
    }
};

} // namespace

TEST_F(CliExportTest, UsageErrors)
{
    PutDay(u"/d.ors");
    PutWeek(u"/w.orw", 1, u"/d.ors");
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {},
             {"/d.ors", "/w.orw"},
             {"/d.ors", "--json"},
             {"/d.ors", "--date"},
             {"/d.ors", "--date", "2026-02-30"},
             {"/d.ors", "--date", "9.12.2026"},
             {"/w.orw", "--weeks", "0"},
             {"/w.orw", "--weeks", "10000"},
             {"/w.orw", "--weeks", "-3"},
             {"/w.orw", "--weeks", "2x"},
             {"/d.ors", "--weeks", "2"},
         }) {
        EXPECT_EQ(Run(args), 2) << ::testing::PrintToString(args);
        EXPECT_NE(err.find("usage: orvella-cli export-ics FILE"), std::string::npos) << err;
        EXPECT_EQ(out, "");
    }
}

TEST_F(CliExportTest, RefusedInputs)
{
    EXPECT_EQ(Run({"/none.ors"}), 1);
    EXPECT_NE(err.find("/none.ors: error 16: The file doesn't exist."), std::string::npos) << err;

    PutSettings(u"/s.ore");
    EXPECT_EQ(Run({"/s.ore"}), 1);
    EXPECT_NE(err.find("error 20"), std::string::npos) << err;

    // A week whose Tuesday file is gone: nothing is written, the day is named.
    PutWeek(u"/plans/w.orw", 2, u"gone.ors");
    EXPECT_EQ(Run({"/plans/w.orw", "-o", "/out.ics"}), 1);
    EXPECT_NE(err.find("/plans/gone.ors (Tuesday of /plans/w.orw): error 16"), std::string::npos) << err;
    EXPECT_FALSE(files.Exists(u"/out.ics"));

    PutDay(u"/d.ors");
    EXPECT_EQ(Run({"/d.ors", "--settings", "/none.ore"}), 1);
    EXPECT_NE(err.find("/none.ore: error 16"), std::string::npos) << err;
    files.Put(u"/bad.ore", {1, 2, 3});
    EXPECT_EQ(Run({"/d.ors", "--settings", "/bad.ore"}), 1);
    EXPECT_NE(err.find("/bad.ore: error 21"), std::string::npos) << err;
    EXPECT_EQ(out, "");
}

TEST_F(CliExportTest, SettingsAndDefaults)
{
    PutDay(u"/plans/d.ors");
    PutWeek(u"/plans/w.orw", 1, u"d.ors");
    // No settings file of the user's own: events without reminders, today's date.
    ASSERT_EQ(Run({"/plans/d.ors"}), 0) << err;
    EXPECT_NE(out.find("DTSTART:20261209T080000\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("DTSTAMP:20261209T101500Z\r\n"), std::string::npos);
    EXPECT_EQ(out.find("VALARM"), std::string::npos);
    const std::string uidLine =
        out.substr(out.find("UID:"), out.find("\r\n", out.find("UID:")) - out.find("UID:"));

    PutSettings(u"/data/OrvellaEnv.ore");
    ASSERT_EQ(Run({"/plans/d.ors"}), 0) << err;
    EXPECT_NE(out.find("TRIGGER;RELATED=END:-PT5M\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find(uidLine), std::string::npos);

    // A damaged settings file of the user's own is worth a warning, not a refusal.
    files.Put(u"/data/OrvellaEnv.ore", {0});
    ASSERT_EQ(Run({"/plans/d.ors"}), 0);
    EXPECT_NE(err.find("warning"), std::string::npos) << err;
    EXPECT_EQ(out.find("VALARM"), std::string::npos);

    // The week's relative day path is read from the week file's folder.
    ASSERT_EQ(Run({"/plans/w.orw", "--weeks", "2", "--settings", "/data/none.ore"}), 1);
    PutSettings(u"/s.ore");
    ASSERT_EQ(Run({"/plans/w.orw", "--weeks", "2", "--settings", "/s.ore", "--date", "2027-01-01"}), 0)
        << err;
    EXPECT_NE(
        out.find(
            "DTSTART:20261228T080000\r\nDTEND:20261228T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=2\r\n"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("X-WR-CALNAME:w\r\n"), std::string::npos);
}

TEST_F(CliExportTest, OutputFileIsReplacedWhole)
{
    PutDay(u"/d.ors");
    files.Put(u"/out.ics", {'o', 'l', 'd'});
    ASSERT_EQ(Run({"/d.ors", "-o", "/out.ics"}), 0) << err;
    EXPECT_EQ(out, "");
    const std::vector<uint8_t> written = *files.Get(u"/out.ics");
    EXPECT_EQ(std::string(written.begin(), written.begin() + 17), "BEGIN:VCALENDAR\r\n");
    EXPECT_FALSE(files.Exists(u"/out.ics.part"));

    files.Put(u"/out.ics", {'o', 'l', 'd'});
    files.WriteBudget = 10; // the disk fills up part-way
    EXPECT_EQ(Run({"/d.ors", "-o", "/out.ics"}), 1);
    EXPECT_EQ(files.Get(u"/out.ics"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(files.Exists(u"/out.ics.part"));
    files.WriteBudget = -1;
    files.FailAllRenames = true;
    EXPECT_EQ(Run({"/d.ors", "-o", "/out.ics"}), 1);
    EXPECT_EQ(files.Get(u"/out.ics"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(files.Exists(u"/out.ics.part"));
}
