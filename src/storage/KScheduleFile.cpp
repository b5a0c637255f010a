#include "storage/KScheduleFile.h"

#include "model/KMessageCatalog.h"
#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"

#include <algorithm>
#include <cstring>

using namespace KMessageCatalog;

namespace {

void WriteHeader(KByteWriter &w)
{
    w.Ascii(KScheduleFile::Signature);
    w.Fill(48, 0);
}

void WriteTitleBlock(KByteWriter &w, const std::u16string &title, int count)
{
    size_t start = w.Size();
    std::u16string t = TruncateUtf16(title, KScheduleFile::TitleMaxChars);
    for (char16_t c : t)
        w.U16(uint16_t(c));
    w.Fill(130 - 2 * t.size(), 0);
    w.U8(uint8_t(count));
    w.Fill(27, 0);
    w.U16(ByteSum16(w.Bytes.data() + start, 158));
}

void WriteRecord(KByteWriter &w, const KScheduleFrame &f)
{
    size_t start = w.Size();
    w.U32(f.Color);
    w.U8(f.StartTime.Hour);
    w.U8(f.StartTime.Minute);
    w.U8(f.StartTime.Second);
    w.U8(f.Duration.Hour);
    w.U8(f.Duration.Minute);
    w.U8(f.Duration.Second);
    w.Fill(22, 0);
    for (const std::u16string *text : {&f.ItemName, &f.Memo}) {
        if (text->empty()) {
            w.U16(0);
        } else {
            w.U16(uint16_t(KByteWriter::TextBytes(*text)));
            w.Text(*text);
        }
    }
    w.U16(ByteSum16(w.Bytes.data() + start, w.Size() - start));
}

// Reads one length-prefixed text of a record; false when the length runs past the data.
bool ReadRecordText(KByteReader &r, std::u16string &text)
{
    uint16_t len = 0;
    if (!r.U16(len) || len > r.Remaining())
        return false;
    text = DecodeUtf16Le(r.Here(), len);
    r.Skip(len);
    return true;
}

} // namespace

std::vector<uint8_t> KScheduleFile::BuildImage(const KDaySchedule &schedule, const std::u16string &title)
{
    KByteWriter w;
    WriteHeader(w);
    int n = schedule.GetCount();
    WriteTitleBlock(w, title, n);
    for (int i = 0; i < n; ++i)
        WriteRecord(w, *schedule.GetFrame(i));
    return std::move(w.Bytes);
}

int32_t KScheduleFile::ParseHead(const uint8_t *data, size_t size, int &count, std::u16string &title)
{
    count = 0;
    if (size < HeaderSize)
        return DamagedFile;
    if (std::memcmp(data, Signature, 16) != 0)
        return NotSchedulerFile;
    if (size < RecordsOffset)
        return DamagedFile;
    const uint8_t *block = data + HeaderSize;
    uint16_t stored = uint16_t(block[158] | (block[159] << 8));
    if (ByteSum16(block, 158) != stored)
        return DamagedFile;
    // The title must end with a zero character within its 130 bytes.
    size_t chars = 0;
    while (chars < 65 && (block[2 * chars] | block[2 * chars + 1]) != 0)
        ++chars;
    if (chars > TitleMaxChars)
        return DamagedFile;
    title = DecodeUtf16Le(block, 2 * chars);
    count = block[130];
    return NoError;
}

int32_t KScheduleFile::ParseImage(const uint8_t *data, size_t size, KDaySchedule &out, std::u16string &title)
{
    int count = 0;
    std::u16string t;
    int32_t code = ParseHead(data, size, count, t);
    if (code != NoError)
        return code;
    if (count == 0)
        return DamagedFile;

    KDaySchedule schedule;
    KByteReader r(data, size);
    r.Seek(RecordsOffset);
    for (int i = 0; i < count; ++i) {
        size_t start = r.Position();
        if (r.Remaining() < 32)
            return DamagedFile;
        KScheduleFrame frame;
        const uint8_t *fixed = r.Here();
        frame.Color = uint32_t(fixed[0]) | (uint32_t(fixed[1]) << 8) | (uint32_t(fixed[2]) << 16) |
                      (uint32_t(fixed[3]) << 24);
        frame.StartTime.SetHour(fixed[4]);
        frame.StartTime.SetMinute(fixed[5]);
        frame.StartTime.SetSecond(fixed[6]);
        frame.Duration.SetHour(fixed[7]);
        frame.Duration.SetMinute(fixed[8]);
        frame.Duration.SetSecond(fixed[9]);
        r.Skip(32);
        std::u16string item, memo;
        if (!ReadRecordText(r, item) || !ReadRecordText(r, memo))
            return DamagedFile;
        size_t end = r.Position();
        uint16_t stored = 0;
        if (!r.U16(stored) || ByteSum16(data + start, end - start) != stored)
            return DamagedFile;
        frame.SetItemName(item);
        frame.SetMemo(memo);
        schedule.AppendFrame(frame); // records beyond the last slot are dropped
    }
    out.AssignSchedule(schedule);
    title = t;
    return NoError;
}

KDaySchedule *KScheduleFile::ReadSchedule()
{
    Schedule.reset();
    ErrorCode = DamagedFile;
    uint64_t size = GetFileSize(FileName, false);
    if (size == 0) {
        ErrorCode = UnreadableCode(FileName);
        return nullptr;
    }
    // Nothing after the last possible record is ever looked at.
    uint64_t wanted = std::min<uint64_t>(size, RecordsOffset + 255 * MaxRecordSize);
    std::vector<uint8_t> image;
    if (ReadBytes(FileName, image, 0, size_t(wanted)) < HeaderSize)
        return nullptr;
    auto schedule = std::make_unique<KDaySchedule>();
    std::u16string title;
    ErrorCode = ParseImage(image.data(), image.size(), *schedule, title);
    if (ErrorCode != NoError)
        return nullptr;
    Title = title;
    Schedule = std::move(schedule);
    return Schedule.get();
}

void KScheduleFile::WriteSchedule(const KDaySchedule &schedule)
{
    if (FileName.empty())
        return;
    KWriteResult result = CreateFileWithBlock(FileName, BuildImage(schedule, Title), WriteFlags);
    ErrorCode = WriteErrorCode(result);
}

int KScheduleFile::PeekFrameCount(const std::u16string &path)
{
    std::vector<uint8_t> head;
    ErrorCode = DamagedFile;
    if (GetFileSize(path, false) == 0 || ReadBytes(path, head, 0, RecordsOffset) < HeaderSize)
        return 0;
    int count = 0;
    std::u16string title;
    ErrorCode = ParseHead(head.data(), head.size(), count, title);
    return ErrorCode == NoError ? count : 0;
}
