// SPDX-License-Identifier: MIT
#include "support/filecodes.h"

#include <cerrno>

QList<NamedCode> fileErrorCodes()
{
    return {
        {"ENOENT", ENOENT}, {"ENOTDIR", ENOTDIR},
        {"EACCES", EACCES}, {"EPERM", EPERM},
        {"EROFS", EROFS},   {"ENOSPC", ENOSPC},
        {"EDQUOT", EDQUOT}, {"EFBIG", EFBIG},
        {"EISDIR", EISDIR}, {"ENAMETOOLONG", ENAMETOOLONG},
        {"ELOOP", ELOOP},   {"EIO", EIO},
        {"EBUSY", EBUSY},   {"ETXTBSY", ETXTBSY},
        {"EMFILE", EMFILE}, {"ENFILE", ENFILE},
        {"EINVAL", EINVAL}, {"EXDEV", EXDEV},
    };
}

// On file systems that cannot do what the export asks (FUSE, network
// folders) or on files opened in a way that forbids it.
QList<NamedCode> unsupportedCodes()
{
    return {
        {"EBADF", EBADF},           {"ESPIPE", ESPIPE},     {"ENOSYS", ENOSYS},
        {"EOPNOTSUPP", EOPNOTSUPP}, {"ENOTCONN", ENOTCONN},
    };
}

namespace expectedCode {
const int folder = EISDIR;
const int missingFolder = ENOENT;
const int belowAFile = ENOTDIR;
const int missingFile = ENOENT;
// Also as root, who could write it.
const int readOnly = EACCES;
} // namespace expectedCode
