// orvella-cli import-ics: the day written as a schedule file that check finds whole, the
// report, the round trip through export-ics, and the refusals that write nothing.
#include "KCliCommands.h"
#include "KCliJson.h"
#include "cli/CliRunner.h"
#include "platform/fakes/KFixedOffsetZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct KTokyoHost : KCliHost {
    KFixedOffsetZone Tokyo{9 * 3600};
    KCivilDate Today() const override { return KCivilDate{2024, 3, 26}; }
    std::string UtcStamp() const override { return "20240326T000000Z"; }
    std::u16string SettingsFilePath() const override { return u"/data/OrvellaEnv.ore"; }
    std::u16string AbsolutePath(const std::u16string &path) const override { return path; }
    const KLocalZone &LocalZone() const override { return Tokyo; }
};

std::vector<uint8_t> TeamCalendar()
{
    const char *data = std::getenv("ORVELLA_TEST_DATA");
    const std::string folder = data ? data : ORVELLA_TEST_DATA_DIR;
    std::ifstream in(folder + "/team-calendar.ics", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct CliImportTest : CliRunner {
    KTokyoHost host;

    int Run(std::vector<std::string> args) { return RunCli(args, "", &host); }
    KCliJson::Json Json() { return KCliJson::Json::parse(out); }
    static void ExpectSameFrames(const KCliJson::Json &a, const KCliJson::Json &b)
    {
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i)
            for (const char *key : {"start", "duration", "item", "color", "memo"})
                EXPECT_EQ(a[i][key], b[i][key]) << "frame " << i << " " << key;
    }
    // The frames of `show --json` without the title.
    KCliJson::Json Frames(const std::string &path)
    {
        EXPECT_EQ(Run({"show", path, "--json"}), 0) << err;
        return Json()["frames"];
    }
};

} // namespace

TEST_F(CliImportTest, TheDayIsWrittenWholeAndReported)
{
    files.Put(u"/cal/team.ics", TeamCalendar());
    ASSERT_EQ(Run({"import-ics", "/cal/team.ics", "--date", "2024-03-26", "-o", "/out/day.ors", "--json"}), 0)
        << err;
    const KCliJson::Json report = Json();
    EXPECT_EQ(report["written"], "/out/day.ors");
    EXPECT_EQ(report["title"], "Team calendar 2024-03-26");
    ASSERT_EQ(report["frames"].size(), 7u);
    EXPECT_EQ(report["frames"][2]["item"], "Lunch with client");
    EXPECT_EQ(report["frames"][2]["start"], "11:30:00");
    EXPECT_EQ(report["frames"][2]["changes"], KCliJson::Json::array({"starts-later"}));
    EXPECT_EQ(report["frames"][6]["changes"], KCliJson::Json::array({"cut-at-end"}));
    EXPECT_EQ(report["frames"][3]["event"], false);
    ASSERT_EQ(report["skipped"].size(), 1u);
    EXPECT_EQ(report["skipped"][0]["summary"], "Company holiday");
    EXPECT_EQ(report["skipped"][0]["reason"], "all-day");
    EXPECT_TRUE(report["skipped"][0]["start"].is_null());

    // The file holds what the report shows, and the day is whole.
    ExpectSameFrames(Frames("/out/day.ors"), report["frames"]);
    EXPECT_EQ(Run({"check", "/out/day.ors"}), 0) << out;

    // The report is a schedule that write takes as it is.
    ASSERT_EQ(Run({"import-ics", "/cal/team.ics", "--date", "2024-04-09", "--json"}), 0);
    const std::string april = out;
    ASSERT_EQ(RunCli({"write", "/out/april.ors"}, april, &host), 0) << err;
    ExpectSameFrames(Frames("/out/april.ors"), KCliJson::Json::parse(april)["frames"]);
    ASSERT_EQ(Run({"import-ics", "/cal/team.ics", "--date", "2024-04-09"}), 0);
    EXPECT_NE(out.find("09:40 Standup: an earlier event takes all of its time"), std::string::npos) << out;
    EXPECT_NE(out.find("13:00 Offsite planning: cancelled"), std::string::npos) << out;
}

// A schedule exported with export-ics and imported for the same date gives back its frames
// (items the item pool knows keep their colour; iCalendar has no exact colour for others).
TEST_F(CliImportTest, ExportedScheduleComesBack)
{
    const std::string json = R"({"kind": "schedule", "title": "平日", "frames": [
        {"start": "00:00:00", "duration": "07:00:00", "item": "就寝", "color": "#C0C0C0", "memo": null},
        {"start": "07:00:00", "duration": "00:30:00", "item": "朝食", "color": "#00FF00", "memo": "パン; コーヒー, 牛乳"},
        {"start": "07:30:00", "duration": "00:00:00", "item": "Call", "color": "#FFFFFF", "memo": null},
        {"start": "07:30:00", "duration": "10:15:30", "item": "仕事", "color": "#0000FF", "memo": "line 1\nline 2"},
        {"start": "17:45:30", "duration": "06:14:30", "item": "自由", "color": "#FFFFFF", "memo": null}]})";
    ASSERT_EQ(RunCli({"write", "/s/day.ors"}, json, &host), 0) << err;
    ASSERT_EQ(Run({"export-ics", "/s/day.ors", "--date", "2025-02-28", "-o", "/s/day.ics"}), 0) << err;
    ASSERT_EQ(Run({"import-ics", "/s/day.ics", "--date", "2025-02-28", "-o", "/s/back.ors"}), 0) << err;
    EXPECT_EQ(Frames("/s/back.ors"), Frames("/s/day.ors"));
}

TEST_F(CliImportTest, RefusalsWriteNothing)
{
    files.Put(u"/cal/note.ics", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(Run({"import-ics", "/cal/note.ics", "--date", "2024-03-26", "-o", "/out/x.ors"}), 1);
    EXPECT_NE(err.find("It is not an iCalendar file. Nothing was written."), std::string::npos) << err;
    EXPECT_EQ(Run({"import-ics", "/cal/none.ics", "--date", "2024-03-26", "-o", "/out/x.ors", "--json"}), 1);
    EXPECT_EQ(Json()["error"], "file-missing");

    std::string many = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 26; ++i) {
        char start[32];
        std::snprintf(start, sizeof start, "20240326T%02d%02d00", i % 24, i < 24 ? 0 : 30);
        many += std::string("BEGIN:VEVENT\r\nDTSTART:") + start +
                "\r\nDURATION:PT10M\r\nSUMMARY:e\r\nEND:VEVENT\r\n";
    }
    many += "END:VCALENDAR\r\n";
    files.Put(u"/cal/many.ics", std::vector<uint8_t>(many.begin(), many.end()));
    EXPECT_EQ(Run({"import-ics", "/cal/many.ics", "--date", "2024-03-26", "-o", "/out/x.ors", "--json"}), 1);
    EXPECT_EQ(Json()["error"], "too-many-frames");
    EXPECT_NE(err.find("The day would need 52 frames; a schedule holds 50."), std::string::npos) << err;
    EXPECT_FALSE(files.Get(u"/out/x.ors"));

    for (const std::vector<std::string> &usage :
         {std::vector<std::string>{"import-ics", "/cal/note.ics"},
          {"import-ics", "/cal/note.ics", "--date", "2024-02-30"},
          {"import-ics", "--date", "2024-03-26"},
          {"import-ics", "/cal/a.ics", "/cal/b.ics", "--date", "2024-03-26"},
          {"import-ics", "/cal/note.ics", "--date", "2024-03-26", "--weeks", "2"},
          {"import-ics", "/cal/note.ics", "--date"}}) {
        EXPECT_EQ(Run(usage), 2) << usage.size();
        EXPECT_NE(err.find("usage: orvella-cli import-ics FILE.ics --date YYYY-MM-DD"), std::string::npos);
    }
}
