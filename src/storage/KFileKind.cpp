#include "storage/KFileKind.h"

#include "model/KMessageCatalog.h"
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

int32_t UnknownKindCode(KFileSystem &files, const std::u16string &path, int32_t foreignCode)
{
    using namespace KMessageCatalog;
    switch (files.TypeOf(path)) {
    case KFileType::Missing:
        return FileMissing;
    case KFileType::LinkLoop:
        return LinkLoop;
    default:
        break;
    }
    uint64_t size = 0;
    const KFsStatus st = files.FileSize(path, size);
    if (st == KFsStatus::NotFound)
        return CannotOpen;
    return st == KFsStatus::Ok && size >= 16 ? foreignCode : DamagedFile;
}
