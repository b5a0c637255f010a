#include "platform/core/KFileSystem.h"

namespace {
size_t LastSeparator(const std::u16string &path)
{
    return path.find_last_of(u"/\\");
}
} // namespace

namespace KPath {

std::u16string FolderOf(const std::u16string &path)
{
    size_t p = LastSeparator(path);
    return p == std::u16string::npos ? std::u16string() : path.substr(0, p + 1);
}

std::u16string NameOf(const std::u16string &path)
{
    size_t p = LastSeparator(path);
    return p == std::u16string::npos ? path : path.substr(p + 1);
}

std::u16string StemOf(const std::u16string &path)
{
    std::u16string name = NameOf(path);
    size_t dot = name.find_last_of(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string ExtensionOf(const std::u16string &path)
{
    std::u16string name = NameOf(path);
    size_t dot = name.find_last_of(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot);
}

} // namespace KPath
