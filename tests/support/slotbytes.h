// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/slottable.h"

#include <QByteArray>

#include <algorithm>

// A slot's eight bytes to and from the QByteArray the tests compare.
inline savefile::SlotBytes slotBytes(const QByteArray &eight)
{
    savefile::SlotBytes bytes{};
    std::copy(eight.begin(), eight.end(), bytes.begin());
    return bytes;
}

inline QByteArray toByteArray(const savefile::SlotBytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}
