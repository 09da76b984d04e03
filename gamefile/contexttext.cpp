// SPDX-License-Identifier: MIT
#include "gamefile/contexttext.h"

#include "convert/cp936.h"

namespace gamefile {

namespace {

void appendByteCode(quint8 byte, QString &out)
{
    out += u'<';
    out += QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    out += u'>';
}

bool isControl(quint8 byte)
{
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

void appendDecoded(convert::Cp936 &codec, QByteArrayView bytes, QString &out)
{
    for (qsizetype at = 0; at < bytes.size();) {
        const quint8 byte = quint8(bytes[at]);
        if (isControl(byte)) {
            appendByteCode(byte, out);
            ++at;
            continue;
        }
        // A lead byte is decoded with the byte after it; without a valid
        // trail byte it stands alone, and the next byte starts afresh.
        const bool pair = convert::isLeadByte(byte) && at + 1 < bytes.size();
        const QString decoded = codec.decodePair(byte, pair ? quint8(bytes[at + 1]) : 0);
        if (pair && decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter) {
            // A code of the user-defined areas draws nothing: its bytes.
            if (decoded[0].category() == QChar::Other_PrivateUse) {
                appendByteCode(byte, out);
                out.insert(out.size() - 1, QString::number(quint8(bytes[at + 1]), 16).toUpper());
            } else {
                out += decoded;
            }
            at += 2;
        } else if (!convert::isLeadByte(byte) && !decoded.isEmpty()
                   && decoded[0] != QChar::ReplacementCharacter
                   && decoded[0].category() != QChar::Other_PrivateUse) {
            out += decoded[0];
            ++at;
        } else {
            appendByteCode(byte, out);
            ++at;
        }
    }
}

} // namespace gamefile
