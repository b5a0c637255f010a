// What orvella-cli prints on a terminal carries no instruction for the terminal: no escape
// sequences or other controls, no reordering of the text, from any name, path or text of a
// file; JSON keeps every text exactly.
#include "KCliJson.h"
#include "KCliUtf.h"
#include "cli/CliRunner.h"
#include "platform/core/KStdFileSystem.h"
#include "platform/fakes/KFakeAppDataFolder.h"
#include "platform/fakes/KFakeClock.h"
#include "platform/fakes/KFakePrompter.h"
#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Json = KCliJson::Json;

// A piece of a generated text: a character, or bytes that are not UTF-8.
struct Piece {
    uint32_t Code = 0; // when Bytes is empty
    std::string Bytes;
};

std::string Utf8(uint32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | c >> 6);
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | c >> 12);
        s += char(0x80 | (c >> 6 & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | c >> 18);
        s += char(0x80 | (c >> 12 & 0x3F));
        s += char(0x80 | (c >> 6 & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

// The oracle, by listing: what a terminal must never be handed.
bool Unsafe(uint32_t c)
{
    static const std::vector<std::pair<uint32_t, uint32_t>> ranges = {
        {0x00, 0x1F}, {0x7F, 0x9F}, {0x202A, 0x202E}, {0x2066, 0x2069}, {0x2028, 0x2029}};
    for (auto [low, high] : ranges)
        if (c >= low && c <= high)
            return true;
    return false;
}

std::vector<Piece> RandomPieces(std::mt19937 &rng, bool utf8Only)
{
    // Around the edges of every unsafe range, plus ordinary and wide characters.
    static const uint32_t codes[] = {'a',    'Z',    ' ',    '[',     ';',     0x00,   0x07,   0x09,
                                     0x0A,   0x0D,   0x1B,   0x1F,    0x20,    0x7E,   0x7F,   0x80,
                                     0x9B,   0x9F,   0xA0,   0xE9,    0x3042,  0x65E5, 0x2029, 0x2028,
                                     0x2027, 0x202A, 0x202E, 0x202F,  0x2065,  0x2066, 0x2069, 0x206A,
                                     0x200F, 0xFEFF, 0xFFFD, 0x1F600, 0x10FFFF};
    // Never UTF-8 after a whole character: continuation bytes alone and bytes no UTF-8 has.
    static const char *const broken[] = {"\x80", "\x9b", "\xbf", "\xc0", "\xc1", "\xf5", "\xff"};
    std::vector<Piece> pieces(rng() % 24);
    for (Piece &p : pieces) {
        if (!utf8Only && rng() % 6 == 0)
            p.Bytes = broken[rng() % std::size(broken)];
        else
            p.Code = codes[rng() % std::size(codes)];
    }
    return pieces;
}

std::string Join(const std::vector<Piece> &pieces)
{
    std::string s;
    for (const Piece &p : pieces)
        s += p.Bytes.empty() ? Utf8(p.Code) : p.Bytes;
    return s;
}

std::string Expected(const std::vector<Piece> &pieces)
{
    std::string s;
    for (const Piece &p : pieces) {
        if (!p.Bytes.empty())
            s += Utf8(0xFFFD);
        else if (!Unsafe(p.Code))
            s += Utf8(p.Code);
    }
    return s;
}

std::string Describe(const std::vector<Piece> &pieces)
{
    std::string d;
    char buf[16];
    for (const Piece &p : pieces) {
        if (p.Bytes.empty())
            std::snprintf(buf, sizeof buf, "U+%04X ", unsigned(p.Code));
        else
            std::snprintf(buf, sizeof buf, "byte %02X ", unsigned(static_cast<unsigned char>(p.Bytes[0])));
        d += buf;
    }
    return d;
}

// Runs the property on random texts; on a failure the text is shrunk a piece at a time and
// reported with the seed.
template <class Holds> void ForRandomTexts(bool utf8Only, Holds holds)
{
    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    for (int round = 0; round < 3000; ++round) {
        std::vector<Piece> pieces = RandomPieces(rng, utf8Only);
        if (holds(pieces))
            continue;
        for (size_t i = 0; i < pieces.size();) {
            std::vector<Piece> fewer = pieces;
            fewer.erase(fewer.begin() + long(i));
            if (!holds(fewer))
                pieces = fewer;
            else
                ++i;
        }
        FAIL() << "seed " << seed << ", shrunk to: " << Describe(pieces);
    }
}

// Text lines printed for a terminal: only the line ends are controls.
::testing::AssertionResult SafeOnTerminal(const std::string &printed)
{
    const std::u16string text = KStdFileSystem::TextOf(printed);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0xDC80 && text[i] <= 0xDCFF)
            return ::testing::AssertionFailure() << "not UTF-8 at " << i << " in: " << printed;
        if (text[i] != u'\n' && Unsafe(text[i]))
            return ::testing::AssertionFailure() << "character " << unsigned(text[i]) << " at " << i
                                                 << " in: " << KCliUtf::Printable(printed);
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(CliTerminalText, PrintableDropsExactlyTheUnsafeCharacters)
{
    ForRandomTexts(false, [](const std::vector<Piece> &pieces) {
        const std::string in = Join(pieces);
        return KCliUtf::Printable(in) == Expected(pieces) &&
               KCliUtf::Printable(KStdFileSystem::TextOf(in)) == Expected(pieces);
    });
}

TEST(CliTerminalText, JsonKeepsTheExactTextAndEscapesWhatATerminalWouldObey)
{
    ForRandomTexts(true, [](const std::vector<Piece> &pieces) {
        const std::string text = Join(pieces);
        const std::string dumped = KCliJson::Dump(Json{{"t", text}, {"n", 1}});
        // Only the line ends of the layout are left of the unsafe characters.
        for (char16_t c : KStdFileSystem::TextOf(dumped))
            if (Unsafe(c) && c != u'\n')
                return false;
        const Json back = Json::parse(dumped);
        return back["t"] == text && back["n"] == 1;
    });
}

namespace {

const std::string Hostile = "\x1b]0;owned\x07\x1b[2J\xe2\x80\xae"
                            "txt.\r\n\xc2\x9b"
                            "31m";
const std::u16string Hostile16 = KStdFileSystem::TextOf(Hostile);

struct CliTerminalTest : CliRunner {
    KFakeClock clock;

    void SetUp() override
    {
        KDaySchedule day;
        day.AppendFrame(KScheduleFrame({0, 0, 0}, {24, 0, 0}, u"item" + Hostile16, 0, u"memo" + Hostile16));
        files.Put(u"/p/day.ors", KScheduleFile::BuildImage(day, u"title" + Hostile16));
        KDaySchedule overlapping = day;
        overlapping.AppendFrame(KScheduleFrame({1, 0, 0}, {1, 0, 0}, u"x" + Hostile16, 0, u""));
        files.Put(u"/p/bad.ors", KScheduleFile::BuildImage(overlapping, u""));
        KWeekSchConfig week;
        for (int d = 0; d < 7; ++d)
            week.SetDayFile(d, u"/p/gone" + Hostile16 + u".ors");
        files.Put(u"/p/week.orw", KWeekSchFile::BuildImage(week));
        files.Put(u"/p/" + Hostile16 + u".ors", KScheduleFile::BuildImage(day, u"title" + Hostile16));
        clock.Set(12, 0, 0, 3);
    }

    // Runs the tool; what it printed for a terminal holds no unsafe character.
    int Printed(const std::vector<std::string> &args, const std::string &input = "")
    {
        const int rc = RunCli(args, input, nullptr, &clock);
        EXPECT_TRUE(SafeOnTerminal(err)) << args[0];
        EXPECT_TRUE(SafeOnTerminal(out)) << args[0];
        return rc;
    }
};

} // namespace

TEST_F(CliTerminalTest, EveryCommandPrintsFileTextsWithoutControls)
{
    const std::string named = "/p/" + Hostile + ".ors";
    // Names and paths of the user, in reports and refusals.
    EXPECT_EQ(Printed({"now", "/p/week.orw", "--weekday", "2"}), 1);
    EXPECT_NE(err.find("/p/gone]0;owned[2Jtxt.31m.ors: error 16"), std::string::npos) << err;
    EXPECT_EQ(Printed({"show", "/p/missing" + Hostile}), 1);
    EXPECT_EQ(Printed({"check", "/p/missing" + Hostile}), 1);
    EXPECT_EQ(Printed({"export-ics", "/p/week.orw"}), 1);
    EXPECT_EQ(Printed({"export-ics", "/p/missing" + Hostile}), 1);
    EXPECT_EQ(Printed({"export-ics", "/p/day.ors", "--settings", "/p/none" + Hostile}), 1);
    EXPECT_EQ(Printed({"now", "/p/day.ors", "--at", Hostile}), 2);
    EXPECT_EQ(Printed({"show", "--x" + Hostile, "/p/day.ors"}), 2);
    EXPECT_EQ(Printed({"write", "/p/new.ors"}, "{\"kind\": " + Hostile), 2);
    // The texts of the files.
    EXPECT_EQ(Printed({"show", named}), 0);
    EXPECT_NE(out.find("Title: title]0;owned[2Jtxt.31m\n"), std::string::npos) << out;
    EXPECT_NE(out.find("item]0;owned[2Jtxt.31m / memo]0;owned[2Jtxt.31m\n"), std::string::npos) << out;
    EXPECT_EQ(Printed({"show", "/p/week.orw"}), 0);
    EXPECT_EQ(Printed({"now", "/p/day.ors"}), 0);
    EXPECT_EQ(out.rfind("item]0;owned[2Jtxt.31m ", 0), 0u) << out;
    EXPECT_EQ(Printed({"check", "/p/bad.ors"}), 3);

    KFakePrompter prompter;
    KFakeAppDataFolder appData;
    KOrvellaEnv env(files, prompter, appData);
    KSchAlarmConfig alarm;
    KWeekSchConfig week;
    week.SetDayFile(1, u"/w/" + Hostile16);
    alarm.SpareText1 = Hostile16;
    env.AlarmConfigRef = &alarm;
    env.WeekConfigRef = &week;
    env.RecentFiles = {u"/r/" + Hostile16};
    ASSERT_TRUE(env.WriteSettings(u"/p/settings.ore"));
    EXPECT_EQ(Printed({"show", "/p/settings.ore"}), 0);
    EXPECT_NE(out.find("  /r/]0;owned[2Jtxt.31m\n"), std::string::npos) << out;
}

TEST_F(CliTerminalTest, JsonCarriesTheTextsExactly)
{
    ASSERT_EQ(Printed({"show", "/p/day.ors", "--json"}), 0);
    const Json j = Json::parse(out);
    EXPECT_EQ(KStdFileSystem::TextOf(j["title"].get<std::string>()), u"title" + Hostile16);
    EXPECT_EQ(KStdFileSystem::TextOf(j["frames"][0]["item"].get<std::string>()), u"item" + Hostile16);
    EXPECT_EQ(KStdFileSystem::TextOf(j["frames"][0]["memo"].get<std::string>()), u"memo" + Hostile16);
    ASSERT_EQ(Printed({"now", "/p/week.orw", "--weekday", "2", "--json"}), 1);
    ASSERT_EQ(Printed({"now", "/p/day.ors", "--json"}), 0);
    EXPECT_EQ(KStdFileSystem::TextOf(Json::parse(out)["current"]["item"].get<std::string>()),
              u"item" + Hostile16);
}
