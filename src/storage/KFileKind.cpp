#include "storage/KFileKind.h"

#include "storage/KOrvellaEnv.h"
#include "storage/KScheduleFile.h"
#include "storage/KWeekSchFile.h"

#include <cstring>
#include <vector>

KFileKind FileKindOf(const uint8_t *data, size_t size)
{
    if (size < 16)
        return KFileKind::Unknown;
    if (std::memcmp(data, KScheduleFile::Signature, 16) == 0)
        return KFileKind::Schedule;
    if (std::memcmp(data, KWeekSchFile::Signature, 16) == 0)
        return KFileKind::Week;
    if (std::memcmp(data, KOrvellaEnv::Signature, 16) == 0)
        return KFileKind::Settings;
    return KFileKind::Unknown;
}

KFileKind CheckFileKind(KFileSystem &files, const std::u16string &path)
{
    std::vector<uint8_t> head;
    if (files.ReadAt(path, 0, 24, head) != KFsStatus::Ok)
        return KFileKind::Unknown;
    return FileKindOf(head.data(), head.size());
}
