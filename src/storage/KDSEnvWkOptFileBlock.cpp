#include "storage/KDSEnvWkOptFileBlock.h"

#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"

uint64_t KDSEnvWkOptFileBlock::BlockLength(const KWeekSchConfig &config)
{
    return 34 + 2 * uint64_t(config.AutoReadFile.size());
}

std::vector<uint8_t> KDSEnvWkOptFileBlock::BuildBlock(const KWeekSchConfig &config)
{
    uint64_t length = BlockLength(config);
    if (length > 0xFFFF)
        return {};
    KByteWriter w;
    w.U16(uint16_t(length));
    w.U8(config.AutoOpen ? 1 : 0);
    w.U8(0);
    w.Fill(28, Filler);
    w.Text(config.AutoReadFile);
    return std::move(w.Bytes);
}

bool KDSEnvWkOptFileBlock::ParseBlock(const uint8_t *data, size_t size, KWeekSchConfig &config)
{
    KByteReader r(data, size);
    uint16_t length = 0;
    uint8_t flags = 0;
    if (!r.U16(length) || length < 5 || length != size || !r.U8(flags) || !r.Seek(32))
        return true;
    std::u16string path;
    if (r.Remaining() == 0 || !r.Text(path) || length != 2 * uint64_t(path.size()) + 34)
        return true;
    config.AutoOpen = flags & 1;
    config.AutoReadFile = path;
    return false;
}
