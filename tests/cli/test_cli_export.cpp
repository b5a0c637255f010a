#include "KCliCommands.h"
#include "cli/CliRunner.h"
#include "platform/core/KStdFileSystem.h"
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

// The calendar file is saved the way the planner saves its own: it replaces the old file whole
// or not at all, never a file it was made from, a read-only file or another user's; a pipe or a
// terminal gets it as it is.
TEST_F(CliExportTest, OutputFileIsSavedSafely)
{
    PutDay(u"/d.ors");
    files.Put(u"/out.ics", {'o', 'l', 'd'});
    files.Ops.clear();
    ASSERT_EQ(Run({"/d.ors", "-o", "/out.ics"}), 0) << err;
    EXPECT_EQ(out, "");
    const std::vector<uint8_t> written = *files.Get(u"/out.ics");
    EXPECT_EQ(std::string(written.begin(), written.begin() + 17), "BEGIN:VCALENDAR\r\n");
    EXPECT_FALSE(files.Exists(u"/out.BAK")) << "no backup of a calendar";

    // Every step failing in turn: the old file stays, the exit is 1, nothing is left behind.
    const size_t steps = files.Ops.size();
    for (size_t k = 0; k + 1 < steps; ++k) {
        files.Put(u"/out.ics", {'o', 'l', 'd'});
        files.Ops.clear();
        files.FailOpAt = int64_t(k);
        const int rc = Run({"/d.ors", "-o", "/out.ics"});
        const bool replaced =
            files.Ops.size() > k && files.Ops[k].Kind == KFakeFileSystem::OpKind::FlushFolder;
        EXPECT_EQ(rc, 1) << k;
        if (!replaced) {
            EXPECT_EQ(files.Get(u"/out.ics"), (std::vector<uint8_t>{'o', 'l', 'd'})) << k;
        }
        EXPECT_TRUE(files.FilesStartingWith(u"/out.ics.").empty()) << k;
    }
    files.FailOpAt = -1;

    // The input itself, also through a link: refused, the schedule stays.
    const std::vector<uint8_t> day = *files.Get(u"/d.ors");
    files.Links[u"/link.ics"] = u"/d.ors";
    for (const char *target : {"/d.ors", "/link.ics"}) {
        EXPECT_EQ(Run({"/d.ors", "-o", target}), 1) << target;
        EXPECT_NE(err.find("is a file the calendar is made from"), std::string::npos) << err;
        EXPECT_EQ(files.Get(u"/d.ors"), day);
    }
    PutSettings(u"/s.ore");
    EXPECT_EQ(Run({"/d.ors", "--settings", "/s.ore", "-o", "/s.ore"}), 1);

    // Read-only and another user's file: message 18 with the name.
    files.Put(u"/ro.ics", {'r'});
    files.ReadOnly.insert(u"/ro.ics");
    files.Put(u"/theirs.ics", {'t'});
    files.Unwritable.insert(u"/theirs.ics");
    for (const char *target : {"/ro.ics", "/theirs.ics"}) {
        EXPECT_EQ(Run({"/d.ors", "-o", target}), 1) << target;
        EXPECT_NE(err.find(std::string(target) + ": error 18"), std::string::npos) << err;
    }
    EXPECT_EQ(files.Get(u"/ro.ics"), (std::vector<uint8_t>{'r'}));
    EXPECT_EQ(files.Get(u"/theirs.ics"), (std::vector<uint8_t>{'t'}));

    // A pipe or a device: written as it is, nothing created beside it.
    files.NotRegular.insert(u"/dev/stdout");
    const size_t before = files.Files.size();
    ASSERT_EQ(Run({"/d.ors", "-o", "/dev/stdout"}), 0) << err;
    const std::vector<uint8_t> &streamed = files.StreamWrites[u"/dev/stdout"];
    EXPECT_EQ(std::string(streamed.begin(), streamed.begin() + 15), "BEGIN:VCALENDAR");
    EXPECT_EQ(files.Files.size(), before);
}

// Paths are bytes: names that are not UTF-8 work for the schedule, the settings and the output.
TEST_F(CliExportTest, PathsThatAreNotUtf8)
{
    const std::string day = "/d\xFF.ors", settings = "/s\xFE.ore", output = "/o\xFD.ics";
    PutDay(KStdFileSystem::TextOf(day));
    PutSettings(KStdFileSystem::TextOf(settings));
    ASSERT_EQ(Run({day, "--settings", settings, "-o", output}), 0) << err;
    EXPECT_TRUE(files.Exists(KStdFileSystem::TextOf(output)));
    const std::vector<uint8_t> written = *files.Get(KStdFileSystem::TextOf(output));
    const std::string text(written.begin(), written.end());
    EXPECT_NE(text.find("TRIGGER;RELATED=END:-PT5M"), std::string::npos) << "the settings were read";
}
