#include "storage/KSchFileOptBlock.h"

#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"

namespace {
// Reads a text that must begin before the end of the block and end within it.
bool BlockText(KByteReader &r, std::u16string &text)
{
    return r.Remaining() > 0 && r.Text(text);
}
} // namespace

uint64_t KSchFileOptBlock::BlockLength(const KSchAlarmConfig &config)
{
    uint64_t n = 12;
    for (const KSchAlarmPoint &p : config.Points)
        n += 2 + KByteWriter::TextBytes(p.SoundName) + KByteWriter::TextBytes(p.SoundFile) + 1;
    n += 24;
    n += KByteWriter::TextBytes(config.SpareText1) + KByteWriter::TextBytes(config.SpareText2) +
         KByteWriter::TextBytes(config.SpareText3);
    n += 2;
    for (const std::u16string &t : config.SpareTexts)
        n += KByteWriter::TextBytes(t);
    n += 32;
    return n;
}

std::vector<uint8_t> KSchFileOptBlock::BuildBlock(const KSchAlarmConfig &config)
{
    uint64_t length = BlockLength(config);
    if (length > 0xFFFF || config.Points.size() > 0xFFFF)
        return {};
    KByteWriter w;
    w.U16(uint16_t(length));
    w.U16(uint16_t(config.AlarmTypes));
    w.U16(config.EnabledPoints);
    w.Fill(4, Filler);
    w.U16(uint16_t(config.Points.size()));
    for (const KSchAlarmPoint &p : config.Points)
        w.U16(uint16_t(int16_t(p.MinutesBefore)));
    for (const KSchAlarmPoint &p : config.Points)
        w.Text(p.SoundName);
    for (const KSchAlarmPoint &p : config.Points)
        w.Text(p.SoundFile);
    for (const KSchAlarmPoint &p : config.Points)
        w.U8(uint8_t(p.Source));
    w.Fill(24, Filler);
    w.Text(config.SpareText1);
    w.Text(config.SpareText3);
    w.Text(config.SpareText2);
    w.U16(ExtraTextCount);
    for (const std::u16string &t : config.SpareTexts)
        w.Text(t);
    w.Fill(32, Filler);
    return std::move(w.Bytes);
}

bool KSchFileOptBlock::ParseBlock(const uint8_t *data, size_t size, KSchAlarmConfig &config)
{
    KByteReader r(data, size);
    uint16_t length = 0, flags = 0, mask = 0, count = 0;
    if (!r.U16(length) || length < 13 || length != size)
        return true;
    r.U16(flags);
    r.U16(mask);
    r.Skip(4);
    r.U16(count);
    // Each point needs at least its minutes, two empty texts and its source byte.
    if (uint64_t(count) * 7 > r.Remaining())
        return true;

    KSchAlarmConfig read;
    read.AlarmTypes = flags;
    read.EnabledPoints = mask;
    read.SetPointCount(count);
    for (KSchAlarmPoint &p : read.Points) {
        uint16_t m = 0;
        r.U16(m);
        p.MinutesBefore = int16_t(m);
    }
    for (KSchAlarmPoint &p : read.Points)
        if (!BlockText(r, p.SoundName))
            return true;
    for (KSchAlarmPoint &p : read.Points)
        if (!BlockText(r, p.SoundFile))
            return true;
    for (KSchAlarmPoint &p : read.Points) {
        uint8_t source = 0;
        if (!r.U8(source))
            return true;
        p.Source = source;
    }
    if (!r.Skip(24) || r.Remaining() == 0)
        return true;
    if (!BlockText(r, read.SpareText1) || !BlockText(r, read.SpareText3) || !BlockText(r, read.SpareText2))
        return true;
    uint16_t extra = 0;
    if (!r.U16(extra))
        return true;
    for (uint16_t i = 0; i < extra; ++i) {
        std::u16string text;
        if (!BlockText(r, text))
            return true;
        if (i < read.SpareTexts.size())
            read.SpareTexts[i] = text;
    }
    if (r.Remaining() != 32)
        return true;
    config.Assign(read);
    return false;
}
