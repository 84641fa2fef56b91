// PosixReasons: the errno codes that have a common reason, and so a Japanese text, in file
// messages; the rest get the system's text. Only the Posix units of the platform layer, and
// their tests, include this.
#pragma once

#include "platform/Files.h"

#include <cerrno>

namespace Platform::Posix {

struct TErrnoRow {
    int Code;
    TFileReason Reason;
};

inline constexpr TErrnoRow ErrnoReasons[] = {
    {ENOENT, TFileReason::NotFound},
    {EACCES, TFileReason::AccessDenied},
    {EPERM, TFileReason::AccessDenied},
    {EISDIR, TFileReason::IsFolder},
    {ENOTDIR, TFileReason::NotFolder},
    {ENOSPC, TFileReason::DiskFull},
    {EDQUOT, TFileReason::DiskFull},
    {EROFS, TFileReason::ReadOnlyFileSystem},
    {ENAMETOOLONG, TFileReason::NameTooLong},
    {EFBIG, TFileReason::FileTooLarge},
    {EMFILE, TFileReason::TooManyOpenFiles},
    {ENFILE, TFileReason::TooManyOpenFiles},
    {EIO, TFileReason::InputOutput},
    {EBUSY, TFileReason::Busy},
    {ETXTBSY, TFileReason::Busy},
};

} // namespace Platform::Posix
