#include "storage/KWeekSchCfgFileBlock.h"

#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"

uint64_t KWeekSchCfgFileBlock::BlockLength(const KWeekSchConfig &config)
{
    uint64_t n = FixedSize;
    for (const std::u16string &path : config.DayFiles)
        n += KByteWriter::TextBytes(path);
    return n;
}

std::vector<uint8_t> KWeekSchCfgFileBlock::BuildBlock(const KWeekSchConfig &config)
{
    KByteWriter w;
    w.U32(uint32_t(BlockLength(config)));
    w.U8(KWeekSchConfig::DayCount);
    w.Fill(11, 0);
    for (const std::u16string &path : config.DayFiles)
        w.Text(path);
    return std::move(w.Bytes);
}

bool KWeekSchCfgFileBlock::ParseBlock(const uint8_t *data, size_t size, KWeekSchConfig &config)
{
    KByteReader r(data, size);
    uint32_t length = 0;
    uint8_t count = 0;
    if (size < FixedSize || !r.U32(length) || length != size || !r.U8(count))
        return true;
    r.Seek(FixedSize);
    KWeekSchConfig read = config;
    for (int i = 0; i < count; ++i) {
        std::u16string path;
        if (!r.Text(path))
            return true;
        if (i < KWeekSchConfig::DayCount)
            read.SetDayFile(i, path);
    }
    config.DayFiles = read.DayFiles;
    return false;
}
