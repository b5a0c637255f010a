#include "storage/KOrvellaEnv.h"

#include "model/KMessageCatalog.h"
#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"
#include "storage/KDSEnvWkOptFileBlock.h"
#include "storage/KSchFileLogBlock.h"
#include "storage/KSchFileOptBlock.h"

#include <cstring>

using namespace KMessageCatalog;

std::vector<uint8_t> KOrvellaEnv::BuildImage() const
{
    KSchAlarmConfig noAlarm;
    KWeekSchConfig noWeek;
    std::vector<uint8_t> alarm = KSchFileOptBlock::BuildBlock(AlarmConfigRef ? *AlarmConfigRef : noAlarm);
    std::vector<uint8_t> week = KDSEnvWkOptFileBlock::BuildBlock(WeekConfigRef ? *WeekConfigRef : noWeek);
    std::vector<uint8_t> recent = KSchFileLogBlock::BuildBlock(RecentFiles);
    if (alarm.empty() || week.empty())
        return {};

    KByteWriter w;
    w.Ascii(Signature);
    w.Fill(48, 0);
    w.U8(uint8_t(SavedLanguage));
    w.U8(OptionBits);
    w.U8(SavedViewType);
    w.U8(0);
    w.U8(SavedSkinState.Flags);
    w.U8(SavedSkinState.Reserved);
    w.U8(SavedSkinState.Size);
    w.U8(SavedSkinState.Transparency);
    w.U32(uint32_t(SavedSkinState.Top));
    w.U32(uint32_t(SavedSkinState.Left));
    w.Fill(48, 0);
    w.Raw(alarm.data(), alarm.size());
    w.Raw(week.data(), week.size());
    w.Raw(recent.data(), recent.size());
    w.Raw(Trailer.data(), Trailer.size());
    return std::move(w.Bytes);
}

int32_t KOrvellaEnv::ParseImage(const uint8_t *data, size_t size)
{
    BlocksRead = 0;
    // The trailer is checked before anything else.
    if (size < Trailer.size() ||
        std::memcmp(data + size - Trailer.size(), Trailer.data(), Trailer.size()) != 0)
        return DamagedFile;
    if (size < 64 || AlarmConfigRef == nullptr)
        return DamagedFile;
    char header[64];
    std::memcpy(header, data, 64);
    header[63] = 0;
    if (std::strcmp(header, Signature) != 0)
        return NotSchedulerFile;
    size_t end = size - Trailer.size(); // blocks never run into the trailer
    if (end < FixedPartEnd)
        return DamagedFile;

    KByteReader r(data, end);
    SkinState skin;
    r.Seek(64);
    uint8_t language = 0, options = 0, view = 0, skip = 0;
    uint32_t top = 0, left = 0;
    r.U8(language);
    r.U8(options);
    r.U8(view);
    r.U8(skip);
    r.U8(skin.Flags);
    r.U8(skin.Reserved);
    r.U8(skin.Size);
    r.U8(skin.Transparency);
    r.U32(top);
    r.U32(left);
    skin.Top = int32_t(top);
    skin.Left = int32_t(left);

    SavedLanguage = language;
    OptionBits = options;
    SavedViewType = view;
    SavedSkinState = skin;

    // Alarm and week blocks: a 16-bit length, which must fit in what is left. Each block read
    // whole goes straight into its configuration, so a damaged later block keeps it.
    size_t pos = FixedPartEnd;
    for (int block = 0; block < 2; ++block) {
        r.Seek(pos);
        uint16_t length = 0;
        if (!r.U16(length) || length == 0 || length > end - pos)
            return DamagedFile;
        if (block == 0) {
            KSchAlarmConfig alarm = *AlarmConfigRef;
            if (KSchFileOptBlock::ParseBlock(data + pos, length, alarm))
                return DamagedFile;
            AlarmConfigRef->Assign(alarm);
        } else {
            KWeekSchConfig week = WeekConfigRef ? *WeekConfigRef : KWeekSchConfig();
            if (KDSEnvWkOptFileBlock::ParseBlock(data + pos, length, week))
                return DamagedFile;
            if (WeekConfigRef) {
                WeekConfigRef->AutoOpen = week.AutoOpen;
                WeekConfigRef->AutoReadFile = week.AutoReadFile;
            }
        }
        BlocksRead = block + 1;
        pos += length;
    }

    // Recent files: a 32-bit length; a block cut short leaves the list empty.
    std::vector<std::u16string> recent;
    r.Seek(pos);
    uint32_t length = 0;
    if (!r.U32(length) || length == 0)
        return DamagedFile;
    if (length <= end - pos && KSchFileLogBlock::ParseBlock(data + pos, length, recent))
        return DamagedFile;
    RecentFiles = std::move(recent);
    BlocksRead = 3;
    return NoError;
}

int32_t KOrvellaEnv::ReadSettings(const std::u16string &path)
{
    ErrorCode = DamagedFile;
    BlocksRead = 0;
    uint64_t size = GetFileSize(path, true);
    if (size == 0 || size > MaxFileSize)
        return ErrorCode;
    std::vector<uint8_t> image;
    if (ReadBytes(path, image, 0, size_t(size)) != size)
        return ErrorCode;
    ErrorCode = ParseImage(image.data(), image.size());
    return ErrorCode;
}

bool KOrvellaEnv::WriteSettings(const std::u16string &path)
{
    std::vector<uint8_t> image = BuildImage();
    if (image.empty())
        return false;
    std::u16string folder = KPath::FolderOf(path);
    if (!folder.empty() && !Files.Exists(folder) && Files.CreateFolders(folder) != KFsStatus::Ok)
        return false;
    // A file that could not be read may still hold what the user set: it is never written over
    // without a copy.
    if (KeepDamagedCopy && Files.Exists(path) && !CopyBackup(path, DamagedCopyName(path))) {
        ShowMessage(CaptionSystemError, CannotCreate);
        return false;
    }
    return CreateFileWithBlock(path, image, WriteFlags) == wrOK;
}
