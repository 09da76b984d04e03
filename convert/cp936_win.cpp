// SPDX-License-Identifier: MIT
#include "convert/cp936.h"

#include "convert/characters.h"

#include <windows.h>

namespace convert {

namespace {

constexpr UINT codePage = 936;

// Without WC_NO_BEST_FIT_CHARS Windows writes look-alikes ("A" for "À")
// where the table has no code; with it, "?" as ICU does.
int encodeWith(QStringView text, char *out, int size, BOOL *substituted)
{
    return WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS,
                               reinterpret_cast<LPCWCH>(text.utf16()), int(text.size()), out, size,
                               "?", substituted);
}

} // namespace

struct Cp936::Private {};

Cp936::Cp936() : d(std::make_unique<Private>()) {}

Cp936::~Cp936() = default;

bool Cp936::isOpen() const
{
    return IsValidCodePage(codePage);
}

std::optional<int> Cp936::encodeCode(QStringView character, char *out, int size)
{
    BOOL substituted = FALSE;
    const int written = encodeWith(character, out, size, &substituted);
    if (substituted)
        return std::nullopt;
    return written;
}

std::optional<QChar> Cp936::decodeCode(const char *bytes, int size)
{
    wchar_t out[2];
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, size, out, 2);
    if (length != 1)
        return std::nullopt;
    return QChar(char16_t(out[0]));
}

QByteArray Cp936::encodeLine(QStringView line)
{
    // Code page 936 never needs more than two bytes for one UTF-16 unit.
    QByteArray bytes(line.size() * 2, Qt::Uninitialized);
    qsizetype used = 0;
    const auto encodeRun = [&](QStringView run) {
        if (!run.isEmpty())
            used +=
                qMax(0, encodeWith(run, bytes.data() + used, int(bytes.size() - used), nullptr));
    };
    // Windows writes a "?" for each half of a surrogate pair; the list and
    // the Linux build show one for the character.
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size();) {
        if (!line[i].isSurrogate()) {
            ++i;
            continue;
        }
        encodeRun(line.mid(start, i - start));
        bytes[used++] = '?';
        i += characterLength(line, i);
        start = i;
    }
    encodeRun(line.mid(start));
    bytes.truncate(used);
    return bytes;
}

} // namespace convert
