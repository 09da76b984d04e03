// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes read as UTF-16 code units, so that every unit,
// lone surrogates and NUL included, can turn up in the text.
inline QString utf16Of(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | data[i + 1] << 8));
    return text;
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            qFatal("check failed: %s (%s:%d)", #condition, __FILE__, __LINE__);                    \
        }                                                                                          \
    } while (false)
