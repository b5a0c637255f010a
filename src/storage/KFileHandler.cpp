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

int32_t KFileHandler::UnreadableCode(const std::u16string &path)
{
    switch (Files.TypeOf(path)) {
    case KFileType::LinkLoop:
        return LinkLoop;
    case KFileType::Missing:
        return DamagedFile;
    default:
        break;
    }
    uint64_t size = 0;
    return Files.FileSize(path, size) == KFsStatus::NotFound ? CannotOpen : DamagedFile;
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

KWriteResult KFileHandler::ReplaceDurably(const std::u16string &target, const std::vector<uint8_t> &contents,
                                          bool backup)
{
    const std::u16string backupPath = KPath::FolderOf(target) + BackupNameOf(target);
    // 1. The new contents, complete and on the device, under a temporary name.
    std::u16string temp;
    bool ok = Files.WriteTemporary(target, contents, temp) == KFsStatus::Ok;
    // 2. The old contents kept as the backup, on the device, before the file itself is touched.
    ok = ok && (!backup || CopyBackup(target, BackupNameOf(target)));
    // 3. The new file takes the old one's place in one step; 4. the new names reach the device.
    // Until step 3 the old file is as it was.
    if (ok && Files.Rename(temp, target) == KFsStatus::Ok) {
        temp.clear();
        ok = Files.FlushFolder(target) == KFsStatus::Ok;
    } else {
        ok = false;
    }
    if (!temp.empty())
        Files.Remove(temp);
    if (!ok) {
        ShowMessage(CaptionSystemError, CannotCreate);
        return wrCreateFailed;
    }
    // What an interrupted save of the same file left behind.
    Files.RemoveLeftoverTemporaries(target);
    if (backup)
        Files.RemoveLeftoverTemporaries(backupPath);
    return wrOK;
}

bool KFileHandler::CopyBackup(const std::u16string &target, const std::u16string &backupName)
{
    if (KPath::NameOf(target) == backupName)
        return true; // the file is its own backup
    // The old contents are copied piece by piece: the file may be of any size.
    const std::u16string backupPath = KPath::FolderOf(target) + backupName;
    std::u16string temp;
    if (Files.CopyToTemporary(target, backupPath, temp) == KFsStatus::Ok &&
        Files.Rename(temp, backupPath) == KFsStatus::Ok)
        return true;
    if (!temp.empty())
        Files.Remove(temp);
    return false;
}

int KFileHandler::MakeBackup(const std::u16string &path, const std::u16string &backupName)
{
    if (!Files.Exists(path))
        return 2;
    if (!CopyBackup(path, backupName)) {
        ShowMessage(CaptionSystemError, FileIoError);
        return 4;
    }
    return 1;
}

int32_t KFileHandler::ResolveForSaving(const std::u16string &path, std::u16string &target)
{
    switch (Files.ResolveLink(path, target)) {
    case KFsStatus::LinkLoop:
        return LinkLoop;
    case KFsStatus::ForeignLink:
        // Planted by someone else where everyone may write: the save could land in any file
        // of this user's, so it is refused as the kernel's own rule would refuse it.
        return CannotCreate;
    default:
        return NoError;
    }
}

int32_t KFileHandler::CheckReplaceable(const std::u16string &path)
{
    std::u16string target;
    if (const int32_t refused = ResolveForSaving(path, target); refused != NoError)
        return refused;
    if (Files.TypeOf(target) == KFileType::LinkLoop)
        return LinkLoop;
    // A file the user may not change is not replaced behind its back, even when its folder
    // would allow it.
    if (Files.Exists(target) && (Files.IsReadOnly(target) || !Files.IsWritable(target)))
        return ReadOnlyFile;
    return NoError;
}

KWriteResult KFileHandler::Refuse(const std::u16string &path, int32_t reason)
{
    refusedCode_ = reason;
    if (reason == NoError)
        return wrOK;
    const int lang = GetLanguage();
    Prompter.Show(Text(CaptionError, lang), ComposeWithFileName(reason, path, lang), KMsgIcon::None);
    return wrRefused;
}

KWriteResult KFileHandler::CreateFileWithBlock(const std::u16string &path,
                                               const std::vector<uint8_t> &contents, uint32_t flags)
{
    refusedCode_ = NoError;
    // A link is saved through: the link stays and the file it names gets the contents.
    std::u16string target;
    if (const int32_t refused = ResolveForSaving(path, target); refused != NoError)
        return Refuse(path, refused);
    const bool exists = Files.Exists(target);
    if (exists && (flags & KWriteConfirm)) {
        int lang = GetLanguage();
        // Through a link the question names the file that would be replaced.
        std::u16string text = (target == path ? KPath::NameOf(path) : target) + Text(ReplacePrompt, lang);
        if (Prompter.Ask(u"", text, KMsgIcon::None, KMsgButtons::OkCancel) == KMsgAnswer::Cancel)
            return wrCancelled;
    }
    if (KWriteResult r = Refuse(path, CheckReplaceable(target)); r != wrOK)
        return r;
    return ReplaceDurably(target, contents, exists && (flags & KWriteBackup));
}

KWriteResult KFileHandler::AppendBlock(const std::u16string &path, const std::vector<uint8_t> &block,
                                       uint32_t flags)
{
    refusedCode_ = NoError;
    std::u16string target;
    if (const int32_t refused = ResolveForSaving(path, target); refused != NoError)
        return Refuse(path, refused);
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
    if (KWriteResult r = Refuse(path, CheckReplaceable(target)); r != wrOK)
        return r;
    contents.insert(contents.end(), block.begin(), block.end());
    return ReplaceDurably(target, contents, flags & KWriteBackup);
}

int32_t KFileHandler::WriteErrorCode(KWriteResult result) const
{
    return result == wrRefused ? refusedCode_ : ErrorCodeOfWrite(result);
}

int32_t ErrorCodeOfWrite(KWriteResult result)
{
    if (result == wrOK)
        return 0;
    if (result == wrCancelled)
        return Cancelled;
    return FileIoError;
}
