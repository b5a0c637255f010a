#pragma once

#include "platform/core/KFileSystem.h"

#include <cstddef>
#include <cstdint>

// The kinds of file the program reads, told apart by their 16-byte signature.
enum class KFileKind { Unknown, Schedule, Week, Settings };

// The kind of a file image from its first bytes (Unknown when fewer than 16).
KFileKind FileKindOf(const uint8_t *data, size_t size);
// Reads the first 24 bytes of the file; Unknown when it cannot be read.
KFileKind CheckFileKind(KFileSystem &files, const std::u16string &path);
// Why the file at path is of no known kind, as a catalogue number: 16 it is missing, 10 it
// cannot be opened (no permission, a folder), 34 a link loop, 21 it is too short to tell, else
// foreignCode.
int32_t UnknownKindCode(KFileSystem &files, const std::u16string &path, int32_t foreignCode);
