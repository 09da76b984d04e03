// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

QString systemErrorReason(int code)
{
    if (code == 0)
        return {};
    for (const auto &[known, reason] : platformErrorReasons()) {
        if (known == code)
            return QString::fromUtf16(reason);
    }
    return QStringLiteral("系统错误 (代码 %1)").arg(code);
}
