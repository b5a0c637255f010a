#include "storage/KWeekSchFile.h"

#include "model/KMessageCatalog.h"
#include "storage/KByteWriter.h"
#include "storage/KWeekSchCfgFileBlock.h"

#include <cstring>

using namespace KMessageCatalog;

std::vector<uint8_t> KWeekSchFile::BuildImage(const KWeekSchConfig &config)
{
    KByteWriter w;
    w.Ascii(Signature);
    w.Fill(48, 0);
    std::vector<uint8_t> block = KWeekSchCfgFileBlock::BuildBlock(config);
    w.Raw(block.data(), block.size());
    return std::move(w.Bytes);
}

int32_t KWeekSchFile::ParseImage(const uint8_t *data, size_t size, KWeekSchConfig &config)
{
    if (size < 16)
        return DamagedFile;
    if (std::memcmp(data, Signature, 16) != 0)
        return NotWeekFile;
    if (size < HeaderSize)
        return DamagedFile;
    if (KWeekSchCfgFileBlock::ParseBlock(data + HeaderSize, size - HeaderSize, config))
        return DamagedFile;
    return NoError;
}

KWeekSchConfig *KWeekSchFile::ReadWeekSchedule()
{
    Config.reset();
    if (FileName.empty())
        return nullptr;
    ErrorCode = DamagedFile;
    uint64_t size = GetFileSize(FileName, false);
    if (size == 0)
        ErrorCode = UnreadableCode(FileName);
    if (size == 0 || size > MaxFileSize)
        return nullptr;
    std::vector<uint8_t> image;
    if (ReadBytes(FileName, image, 0, size_t(size)) == 0)
        return nullptr;
    auto config = std::make_unique<KWeekSchConfig>();
    ErrorCode = ParseImage(image.data(), image.size(), *config);
    if (ErrorCode != NoError)
        return nullptr;
    Config = std::move(config);
    return Config.get();
}

void KWeekSchFile::WriteWeekSchedule(const KWeekSchConfig &config)
{
    if (FileName.empty())
        return;
    ErrorCode = WriteErrorCode(CreateFileWithBlock(FileName, BuildImage(config), WriteFlags));
}

bool KWeekSchFile::IsWeekScheduleFile(const std::u16string &path)
{
    std::vector<uint8_t> head;
    return ReadBytes(path, head, 0, 16) == 16 && std::memcmp(head.data(), Signature, 16) == 0;
}
