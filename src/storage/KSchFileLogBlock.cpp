#include "storage/KSchFileLogBlock.h"

#include "storage/KByteReader.h"
#include "storage/KByteWriter.h"

uint64_t KSchFileLogBlock::BlockLength(const std::vector<std::u16string> &names)
{
    uint64_t n = 6;
    for (size_t i = 0; i < names.size() && i < MaxNames; ++i)
        n += KByteWriter::TextBytes(names[i]);
    return n;
}

std::vector<uint8_t> KSchFileLogBlock::BuildBlock(const std::vector<std::u16string> &names)
{
    size_t count = names.size() < MaxNames ? names.size() : MaxNames;
    KByteWriter w;
    w.U32(uint32_t(BlockLength(names)));
    w.U8(uint8_t(count));
    w.U8(Filler);
    for (size_t i = 0; i < count; ++i)
        w.Text(names[i]);
    return std::move(w.Bytes);
}

bool KSchFileLogBlock::ParseBlock(const uint8_t *data, size_t size, std::vector<std::u16string> &names)
{
    KByteReader r(data, size);
    uint32_t length = 0;
    if (!r.U32(length) || length != size)
        return true;
    if (length < 6) {
        names.clear();
        return false;
    }
    uint8_t count = 0;
    r.U8(count);
    r.Skip(1);
    std::vector<std::u16string> read;
    for (int i = 0; i < count; ++i) {
        std::u16string name;
        if (r.Remaining() == 0 || !r.Text(name))
            return true;
        read.push_back(std::move(name));
    }
    if (r.Remaining() != 0)
        return true;
    names = std::move(read);
    return false;
}
