#include "storage/KFileHandler.h"

#include "model/KMessageCatalog.h"

using namespace KMessageCatalog;

void KFileHandler::ShowMessage(int captionCode, int textCode)
{
    int lang = GetLanguage();
    Prompter.Show(Text(captionCode, lang), Text(textCode, lang), KMsgIcon::None);
}

uint64_t KFileHandler::GetFileSize(const std::u16string &path, bool showMessage)
{
    uint64_t size = 0;
    KFsStatus st = Files.FileSize(path, size);
    if (st == KFsStatus::Ok)
        return size;
    if (st == KFsStatus::IoError)
        ShowMessage(CaptionError, FileIoError);
    else if (showMessage)
        ShowMessage(CaptionError, CannotOpen);
    return 0;
}

size_t KFileHandler::ReadBytes(const std::u16string &path, std::vector<uint8_t> &buffer, uint64_t offset,
                               size_t n)
{
    KFsStatus st = Files.ReadAt(path, offset, n, buffer);
    if (st == KFsStatus::Ok)
        return buffer.size();
    buffer.clear();
    if (st == KFsStatus::IoError)
        ShowMessage(CaptionSystemError, FileIoError);
    return 0;
}

size_t KFileHandler::ReadCheckedBlock(const std::u16string &path, std::vector<uint8_t> &buffer,
                                      uint64_t offset, size_t n)
{
    if (n < 2)
        return 0;
    if (ReadBytes(path, buffer, offset, n) != n)
        return 0;
    uint16_t stored = uint16_t(buffer[n - 2] | (buffer[n - 1] << 8));
    uint32_t sum = 0;
    for (size_t i = 0; i + 2 < n; ++i)
        sum += buffer[i];
    return uint16_t(sum) == stored ? n : 0;
}

std::u16string KFileHandler::BackupNameOf(const std::u16string &path)
{
    return KPath::StemOf(path) + u".BAK";
}

bool KFileHandler::ReadWholeFile(const std::u16string &path, std::vector<uint8_t> &out, KFsStatus &status)
{
    uint64_t size = 0;
    status = Files.FileSize(path, size);
    if (status != KFsStatus::Ok)
        return false;
    if (size > uint64_t(SIZE_MAX)) {
        status = KFsStatus::IoError;
        return false;
    }
    status = Files.ReadAt(path, 0, size_t(size), out);
    if (status == KFsStatus::Ok && out.size() != size)
        status = KFsStatus::IoError;
    return status == KFsStatus::Ok;
}

KFsStatus KFileHandler::ReplaceContents(const std::u16string &path, const std::vector<uint8_t> &contents,
                                        bool &createFailed)
{
    std::u16string temp;
    createFailed = false;
    KFsStatus st = Files.WriteTemporary(path, contents, temp);
    if (st != KFsStatus::Ok) {
        createFailed = st == KFsStatus::NotFound;
        if (!temp.empty())
            Files.Remove(temp);
        return st;
    }
    if (Files.Rename(temp, path) != KFsStatus::Ok) {
        Files.Remove(temp);
        return KFsStatus::IoError;
    }
    return KFsStatus::Ok;
}

int KFileHandler::MakeBackup(const std::u16string &path, const std::u16string &backupName)
{
    if (!Files.Exists(path))
        return 2;
    if (KPath::NameOf(path) == backupName)
        return 1;
    // The old contents are copied piece by piece: the file may be of any size.
    const std::u16string backupPath = KPath::FolderOf(path) + backupName;
    std::u16string temp;
    if (Files.CopyToTemporary(path, backupPath, temp) != KFsStatus::Ok ||
        Files.Rename(temp, backupPath) != KFsStatus::Ok) {
        if (!temp.empty())
            Files.Remove(temp);
        ShowMessage(CaptionSystemError, FileIoError);
        return 4;
    }
    return 1;
}

KWriteResult KFileHandler::CreateFileWithBlock(const std::u16string &path,
                                               const std::vector<uint8_t> &contents, uint32_t flags)
{
    // A link is saved through: the link stays and the file it names gets the contents.
    const std::u16string target = Files.ResolveLink(path);
    const bool exists = Files.Exists(target);
    if (exists && (flags & KWriteConfirm)) {
        int lang = GetLanguage();
        std::u16string text = KPath::NameOf(path) + Text(ReplacePrompt, lang);
        if (Prompter.Ask(u"", text, KMsgIcon::None, KMsgButtons::OkCancel) == KMsgAnswer::Cancel)
            return wrCancelled;
    }
    // A file the user may not change is not replaced behind its back, even when its folder
    // would allow it.
    if (exists && !Files.IsWritable(target)) {
        ShowMessage(CaptionSystemError, CannotCreate);
        return wrCreateFailed;
    }

    // The new contents are complete on the device before anything else changes.
    std::u16string temp;
    KFsStatus st = Files.WriteTemporary(target, contents, temp);
    if (st != KFsStatus::Ok) {
        if (!temp.empty())
            Files.Remove(temp);
        ShowMessage(CaptionSystemError, st == KFsStatus::NotFound ? CannotCreate : FileIoError);
        return wrCreateFailed;
    }
    if (exists && (flags & KWriteBackup)) {
        if (MakeBackup(target, BackupNameOf(target)) == 4) {
            Files.Remove(temp);
            return wrCreateFailed;
        }
    }
    if (Files.Rename(temp, target) != KFsStatus::Ok) {
        Files.Remove(temp);
        ShowMessage(CaptionSystemError, FileIoError);
        return wrCreateFailed;
    }
    return wrOK;
}

KWriteResult KFileHandler::AppendBlock(const std::u16string &path, const std::vector<uint8_t> &block,
                                       uint32_t flags)
{
    const std::u16string target = Files.ResolveLink(path);
    if (!Files.Exists(target))
        return wrFileMissing;
    if (block.empty())
        return wrOK;
    std::vector<uint8_t> contents;
    KFsStatus st;
    if (!ReadWholeFile(target, contents, st)) {
        ShowMessage(CaptionSystemError, CannotOpen);
        return wrOpenFailed;
    }
    if (!Files.IsWritable(target)) {
        ShowMessage(CaptionSystemError, CannotCreate);
        return wrCreateFailed;
    }
    if ((flags & KWriteBackup) && MakeBackup(target, BackupNameOf(target)) == 4)
        return wrCreateFailed;
    contents.insert(contents.end(), block.begin(), block.end());
    bool createFailed = false;
    if (ReplaceContents(target, contents, createFailed) != KFsStatus::Ok) {
        ShowMessage(CaptionSystemError, FileIoError);
        return wrCreateFailed;
    }
    return wrOK;
}

int32_t ErrorCodeOfWrite(KWriteResult result)
{
    if (result == wrOK)
        return 0;
    if (result == wrCancelled)
        return Cancelled;
    return FileIoError;
}
