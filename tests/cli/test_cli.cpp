#include "KCliCommands.h"
#include "KCliJson.h"
#include "cli/CliRunner.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeFileSystem.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Json = KCliJson::Json;

struct CliTest : CliRunner {
    int Run(std::vector<std::string> args, const std::string &input = "") { return RunCli(args, input); }
};

const char *Schedule = R"({"kind":"schedule","title":"平日","frames":[
  {"start":"00:00:00","duration":"07:30:00","item":"睡眠","color":"#112233","memo":null},
  {"start":"07:30:00","duration":"16:30:00","item":"仕事","color":"#FF0000","memo":"会議"},
  {"start":"24:00:00","duration":"00:00:00","item":"late","color":"#00ff00"}]})";

} // namespace

TEST_F(CliTest, ScheduleJsonRoundTrip)
{
    ASSERT_EQ(Run({"write", "/p/a.ors"}, Schedule), 0) << err;
    // Colours are stored red in the low byte.
    KFakePrompter p;
    KScheduleFile f(files, p);
    f.SetFileName(u"/p/a.ors");
    ASSERT_NE(f.ReadSchedule(), nullptr);
    EXPECT_EQ(f.Schedule->GetFrame(0)->Color, 0x332211u);
    EXPECT_EQ(f.Schedule->GetFrame(2)->StartTime, (KSchTime{24, 0, 0}));
    EXPECT_EQ(f.Title, u"平日");

    ASSERT_EQ(Run({"show", "/p/a.ors", "--json"}), 0) << err;
    Json shown = Json::parse(out);
    EXPECT_EQ(shown["frames"][2]["start"], "24:00:00");
    EXPECT_EQ(shown["frames"][2]["color"], "#00FF00");
    EXPECT_TRUE(shown["frames"][0]["memo"].is_null());
    EXPECT_EQ(shown["frames"][1]["memo"], "会議");
    std::string first = out;
    ASSERT_EQ(Run({"write", "/p/b.ors"}, first), 0) << err;
    ASSERT_EQ(Run({"show", "--json", "/p/b.ors"}), 0);
    EXPECT_EQ(out, first);

    // Writing over a file keeps a backup and asks nothing.
    ASSERT_EQ(Run({"write", "/p/a.ors"}, first), 0);
    EXPECT_TRUE(files.Exists(u"/p/a.BAK"));
    EXPECT_EQ(err, "");

    ASSERT_EQ(Run({"show", "/p/a.ors"}), 0);
    EXPECT_NE(out.find("24:00:00  00:00:00  #00FF00  late"), std::string::npos) << out;
}

TEST_F(CliTest, BadInputIsRefusedAndNothingWritten)
{
    struct Case {
        std::string json;
        std::string field;
    };
    std::string frame = R"({"start":"08:00:00","duration":"01:00:00","item":"x","color":"#000000"})";
    std::string many = "[";
    for (int i = 0; i < 51; ++i)
        many += (i ? "," : "") + frame;
    many += "]";
    std::vector<Case> cases = {
        {"{not json", "not valid JSON"},
        {R"({"kind":"schedule","frames":[{"start":"8:61:00","duration":"01:00:00","item":"x","color":"#000000"}]})",
         "frames[0].start"},
        {R"({"kind":"schedule","frames":[{"start":"08:00:00","duration":"1h","item":"x","color":"#000000"}]})",
         "frames[0].duration"},
        {R"({"kind":"schedule","frames":[{"start":"08:00:00","duration":"01:00:00","item":"x","color":"red"}]})",
         "frames[0].color"},
        {R"({"kind":"schedule","frames":[{"start":"08:00:00","duration":"01:00:00","item":"","color":"#000000"}]})",
         "frames[0].item"},
        {R"({"kind":"schedule","frames":[{"start":"08:00:00","duration":"01:00:00","color":"#000000"}]})",
         "frames[0].item"},
        {R"({"kind":"schedule","frames":)" + many + "}", "more than 50"},
        {R"({"kind":"schedule","frames":[]})", "frames"},
        {R"({"kind":"week","days":[null,null]})", "days"},
        {R"({"kind":"week","days":[1,null,null,null,null,null,null]})", "days[0]"},
        {R"({"kind":"settings"})", "kind"},
    };
    files.Put(u"/p/keep.ors", {1, 2, 3});
    for (const Case &c : cases) {
        EXPECT_EQ(Run({"write", "/p/keep.ors"}, c.json), 2) << c.json;
        EXPECT_NE(err.find(c.field), std::string::npos) << err;
        EXPECT_EQ(files.Get(u"/p/keep.ors"), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(files.Files.size(), 1u);
    }
}

TEST_F(CliTest, RefusedFilesAndUsage)
{
    EXPECT_EQ(Run({"show", "/none.ors", "--json"}), 1);
    EXPECT_EQ(Json::parse(out), (Json{{"error", 16}, {"message", "The file doesn't exist."}}));

    files.Put(u"/bad.ors", std::vector<uint8_t>(300, 0x41));
    EXPECT_EQ(Run({"show", "/bad.ors", "--json"}), 1);
    EXPECT_EQ(Json::parse(out)["error"], 20);

    std::vector<uint8_t> cut(std::begin("_KQSCHEDULER____"), std::end("_KQSCHEDULER____") - 1);
    cut.resize(100);
    files.Put(u"/cut.ors", cut);
    EXPECT_EQ(Run({"show", "/cut.ors"}), 1);
    EXPECT_NE(err.find("error 21: It is not a correct file, or the file is corruptedr."), std::string::npos);

    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"show"}), 2);
    EXPECT_EQ(Run({"show", "a", "b"}), 2);
    EXPECT_EQ(Run({"show", "a", "--yaml"}), 2);
    EXPECT_EQ(Run({"write", "a.ors", "--json"}, Schedule), 2);
    EXPECT_EQ(Run({"delete", "a.ors"}), 2);
    EXPECT_EQ(Run({"--help"}), 0);

    files.FailAllCreates = true;
    EXPECT_EQ(Run({"write", "/p/new.ors"}, Schedule), 1);
    EXPECT_NE(err.find("error 9"), std::string::npos) << err;
    EXPECT_NE(err.find("Can't create the file."), std::string::npos) << err;
    files.FailAllCreates = false;

    // Files that cannot be opened say so rather than that they are damaged; a link loop is
    // named as one, and writing never replaces it.
    files.Folders.insert(u"/folder.ors");
    files.Put(u"/private.ors", cut);
    files.FailOpen.insert(u"/private.ors");
    files.Links[u"/loop.ors"] = u"/loop2.ors";
    files.Links[u"/loop2.ors"] = u"/loop.ors";
    for (const char *refused : {"/folder.ors", "/private.ors"}) {
        for (const char *command : {"show", "check", "now"}) {
            EXPECT_EQ(Run({command, refused}), 1) << command << " " << refused;
            EXPECT_NE(err.find("error 10: Can't open the file."), std::string::npos) << err;
        }
    }
    EXPECT_EQ(Run({"show", "/loop.ors"}), 1);
    EXPECT_NE(err.find("error 34"), std::string::npos) << err;
    const size_t fileCount = files.Files.size();
    EXPECT_EQ(Run({"write", "/loop.ors"}, Schedule), 1);
    EXPECT_NE(err.find("/loop.ors: error 34: The symbolic links of this path lead back to themselves."),
              std::string::npos)
        << err;
    EXPECT_EQ(files.Files.size(), fileCount);
    EXPECT_EQ(files.Links.size(), 2u);
}

// A standard output that takes nothing (a full disk, a closed pipe) fails every command that
// prints, whatever it found.
TEST_F(CliTest, FailedStandardOutputExitsOne)
{
    ASSERT_EQ(Run({"write", "/p/plan.ors"}, Schedule), 0);
    struct Full : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } full;
    std::ostream out(&full);
    for (const std::vector<std::string> &args :
         std::vector<std::vector<std::string>>{{"show", "/p/plan.ors"},
                                               {"show", "/p/plan.ors", "--json"},
                                               {"check", "/p/plan.ors"},
                                               {"now", "/p/plan.ors", "--at", "03:00:00"},
                                               {"export-ics", "/p/plan.ors"}}) {
        std::istringstream in;
        std::ostringstream e;
        EXPECT_EQ(KCliCommands::Run(args, in, out, e, files), 1) << args[0];
        EXPECT_NE(e.str().find("standard output: error 9"), std::string::npos) << e.str();
        out.clear();
    }
}

TEST_F(CliTest, WeekAndSettings)
{
    std::string week = R"({"kind":"week","days":[null,"C:\\a.ors",null,null,null,"/f.ors",null]})";
    ASSERT_EQ(Run({"write", "/w.orw"}, week), 0) << err;
    EXPECT_EQ(files.Get(u"/w.orw")->size(), 64u + 16 + 18 + 14 + 10);
    ASSERT_EQ(Run({"show", "/w.orw", "--json"}), 0);
    EXPECT_EQ(Json::parse(out), Json::parse(week));
    ASSERT_EQ(Run({"show", "/w.orw"}), 0);
    EXPECT_NE(out.find("Monday     C:\\a.ors"), std::string::npos) << out;

    KFakePrompter p;
    KFakeAppDataFolder appData;
    KSchAlarmConfig alarm(1);
    alarm.SetMinutes(0, 7);
    alarm.SetSoundFile(0, u"/s.wav");
    alarm.SetSource(0, 1);
    alarm.SpareText3 = u"third";
    KWeekSchConfig wk;
    wk.AutoOpen = true;
    KOrvellaEnv env(files, p, appData);
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &wk;
    env.SavedSkinState.Top = -5;
    env.RecentFiles = {u"/r.ors"};
    ASSERT_TRUE(env.WriteSettings(u"/OrvellaEnv.ore"));
    ASSERT_EQ(Run({"show", "/OrvellaEnv.ore", "--json"}), 0) << err;
    Json s = Json::parse(out);
    EXPECT_EQ(s["kind"], "settings");
    EXPECT_EQ(s["skin"]["top"], -5);
    EXPECT_EQ(s["alarm"]["points"][0]["minutes"], 7);
    EXPECT_EQ(s["alarm"]["points"][0]["soundFile"], "/s.wav");
    EXPECT_TRUE(s["alarm"]["points"][0]["soundName"].is_null());
    EXPECT_EQ(s["alarm"]["texts"], (Json{"", "", "third"}));
    EXPECT_EQ(s["week"], (Json{{"autoOpen", true}, {"autoReadFile", nullptr}}));
    EXPECT_EQ(s["recent"], (Json{"/r.ors"}));

    // The same file shown as text.
    ASSERT_EQ(Run({"show", "/OrvellaEnv.ore"}), 0) << err;
    EXPECT_EQ(out.rfind("Settings file: /OrvellaEnv.ore\n", 0), 0u) << out;
    for (const char *line :
         {"\nskin        {", "\"top\":-5", "\n            point 0: {", "\"minutes\":7",
          "\"soundFile\":\"/s.wav\"", "texts [\"\",\"\",\"third\"]",
          "\nweek        {\"autoOpen\":true,\"autoReadFile\":null}", "\nrecent files:\n  /r.ors\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    EXPECT_EQ(err, "");
}

// Texts at and over their limits, zero characters, characters outside the BMP and broken UTF-8.
TEST_F(CliTest, TextsAreCheckedBeforeAnythingIsWritten)
{
    auto schedule = [](const std::string &title, const std::string &item, const std::string &memo) {
        return R"({"kind":"schedule","title":")" + title + R"(","frames":[{"start":"08:00:00",)" +
               R"("duration":"16:00:00","item":")" + item + R"(","color":"#102030","memo":")" + memo +
               "\"}]}";
    };
    const std::string face = "\xF0\x9F\x98\x80"; // U+1F600 in UTF-8: two UTF-16 units
    const std::u16string face16 = u"\U0001F600"; // D83D DE00
    auto repeat = [](const std::string &s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    };
    struct Case {
        std::string json;
        std::string field; // empty: accepted
    };
    const std::vector<Case> cases = {
        {schedule(repeat("t", 64), repeat("i", 72), repeat("m", 256)), ""},
        {schedule(repeat("t", 65), "i", "m"), "title: longer than 64"},
        {schedule("t", repeat("i", 73), "m"), "frames[0].item: longer than 72"},
        {schedule("t", "i", repeat("m", 257)), "frames[0].memo: longer than 256"},
        // The limits count UTF-16 units: a character outside the BMP takes two.
        {schedule(repeat(face, 32), repeat(face, 36), repeat(face, 128)), ""},
        {schedule(repeat(face, 32) + "t", "i", "m"), "title: longer than 64"},
        {schedule("t", repeat(face, 36) + "i", "m"), "frames[0].item: longer than 72"},
        {schedule("t", "i", repeat(face, 128) + "m"), "frames[0].memo: longer than 256"},
        {schedule("a\\u0000b", "i", "m"), "title: must not contain a zero character"},
        {schedule("t", "i\\u0000", "m"), "frames[0].item: must not contain a zero character"},
        {schedule("t", "i", "\\u0000"), "frames[0].memo: must not contain a zero character"},
        {R"({"kind":"week","days":[null,"/a\u0000.ors",null,null,null,null,null]})",
         "days[1]: must not contain a zero character"},
        {schedule("t", "\\ud83d", "m"), "not valid JSON"}, // a lone surrogate
        {schedule("t", "\\ude00\\ud83d", "m"), "not valid JSON"},
        {schedule("t", "\xFF\xFE", "m"), "not valid JSON"}, // not UTF-8
        {schedule("t", "\xE3\x81", "m"), "not valid JSON"}, // cut short
        {schedule("t", "\xC0\xAF", "m"), "not valid JSON"}, // overlong
    };
    for (const Case &c : cases) {
        files.Files.clear();
        const int rc = Run({"write", "/p/t.ors"}, c.json);
        if (c.field.empty()) {
            EXPECT_EQ(rc, 0) << err;
            EXPECT_TRUE(files.Exists(u"/p/t.ors"));
        } else {
            EXPECT_EQ(rc, 2) << c.json;
            EXPECT_NE(err.find(c.field), std::string::npos) << c.field << " / " << err;
            EXPECT_TRUE(files.Files.empty()) << c.json;
        }
    }

    // A character outside the BMP, written as UTF-8 or as a JSON escape pair, is stored as its
    // surrogate pair and shown again as the same UTF-8.
    for (const std::string &item : {face, std::string("\\ud83d\\ude00")}) {
        ASSERT_EQ(Run({"write", "/p/f.ors"}, schedule("t", "x" + item, "m" + item)), 0) << err;
        KFakePrompter p;
        KScheduleFile f(files, p);
        f.SetFileName(u"/p/f.ors");
        ASSERT_NE(f.ReadSchedule(), nullptr);
        EXPECT_EQ(f.Schedule->GetFrame(0)->ItemName, u"x" + face16);
        const std::vector<uint8_t> bytes = *files.Get(u"/p/f.ors");
        const std::vector<uint8_t> pair = {0x3D, 0xD8, 0x00, 0xDE};
        EXPECT_NE(std::search(bytes.begin(), bytes.end(), pair.begin(), pair.end()), bytes.end());
        ASSERT_EQ(Run({"show", "/p/f.ors", "--json"}), 0) << err;
        EXPECT_EQ(Json::parse(out)["frames"][0]["item"], "x" + face);
        EXPECT_EQ(Json::parse(out)["frames"][0]["memo"], "m" + face);
        ASSERT_EQ(Run({"show", "/p/f.ors"}), 0) << err;
        EXPECT_NE(out.find("x" + face + " / m" + face), std::string::npos) << out;
    }

    // A file holding half a pair shows the replacement character instead of failing.
    KDaySchedule broken;
    broken.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0},
                                      u"a\xD83D"
                                      u"b",
                                      0, u"\xDE00"));
    files.Put(u"/p/half.ors", KScheduleFile::BuildImage(broken, u"\xD83D"));
    ASSERT_EQ(Run({"show", "/p/half.ors", "--json"}), 0) << err;
    const Json shown = Json::parse(out);
    EXPECT_EQ(shown["title"], "\xEF\xBF\xBD");
    EXPECT_EQ(shown["frames"][0]["item"], "a\xEF\xBF\xBD"
                                          "b");
    EXPECT_EQ(shown["frames"][0]["memo"], "\xEF\xBF\xBD");
    ASSERT_EQ(Run({"show", "/p/half.ors"}), 0) << err;
    EXPECT_NE(out.find("a\xEF\xBF\xBD"
                       "b"),
              std::string::npos)
        << out;
}

TEST(CliJson, TimesAndColours)
{
    KSchTime t;
    EXPECT_TRUE(KCliJson::ParseTime("24:00:00", t));
    EXPECT_EQ(t, (KSchTime{24, 0, 0}));
    EXPECT_TRUE(KCliJson::ParseTime("255:59:59", t));
    EXPECT_FALSE(KCliJson::ParseTime("256:00:00", t));
    EXPECT_FALSE(KCliJson::ParseTime("08:00", t));
    EXPECT_FALSE(KCliJson::ParseTime("08:60:00", t));
    EXPECT_FALSE(KCliJson::ParseTime(":00:00", t));
    EXPECT_FALSE(KCliJson::ParseTime("-1:00:00", t));
    EXPECT_EQ(KCliJson::FormatTime(KSchTime{100, 5, 9}), "100:05:09");
    uint32_t c = 0;
    EXPECT_TRUE(KCliJson::ParseColor("#A1b2C3", c));
    EXPECT_EQ(c, 0xC3B2A1u);
    EXPECT_EQ(KCliJson::FormatColor(c), "#A1B2C3");
    EXPECT_FALSE(KCliJson::ParseColor("A1B2C3", c));
    EXPECT_FALSE(KCliJson::ParseColor("#A1B2C", c));
    EXPECT_FALSE(KCliJson::ParseColor("#A1B2CG", c));
}
