// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

#include "app/messages.h"

QString systemErrorReason(int code)
{
    if (code == 0)
        return {};
    for (const auto &[known, reason] : platformErrorReasons()) {
        if (known == code)
            return QString::fromUtf16(reason);
    }
    return messages::unknownSystemError.toString().arg(code);
}
