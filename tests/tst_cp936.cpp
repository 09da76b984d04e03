// SPDX-License-Identifier: MIT
#include "support/codec.h"
#include "support/wine.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

// SHA-256 of the tables as wholeTableIsDebians() walks them, from Debian
// 12's ICU 72.
constexpr char encodedTableHash[] =
    "347b410ca01cfca51532ee3230a287bc7bd7d3a2d3f7b3d8626c5f2d25d235db";
constexpr char decodedTableHash[] =
    "a0f9ad508ed4b60b6bcedeb29b416668ef42bf5aeaa8c5d50dacc08d5be686c0";

} // namespace

using convert::Cp936;

class tst_Cp936 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testCodec().isOpen()); }

    void encodesOneCharacter_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("hanzi is lead then trail")
            << QStringLiteral("只") << QByteArray::fromHex("D6BB");
        QTest::newRow("full-width comma") << QStringLiteral("，") << QByteArray::fromHex("A3AC");
        QTest::newRow("euro sign is the single byte 80")
            << QStringLiteral("€") << QByteArray::fromHex("80");
        QTest::newRow("middle dot is A1A4, not a GB18030 code")
            << QString(QChar(0x00B7)) << QByteArray::fromHex("A1A4");
        QTest::newRow("em dash") << QString(QChar(0x2014)) << QByteArray::fromHex("A1AA");
        QTest::newRow("ASCII letter") << QStringLiteral("A") << QByteArray::fromHex("41");
        QTest::newRow("tab") << QStringLiteral("\t") << QByteArray::fromHex("09");
        QTest::newRow("NUL") << QString(QChar(0)) << QByteArray::fromHex("00");
        QTest::newRow("user-defined area") << QString(QChar(0xE000)) << QByteArray::fromHex("AAA1");
        QTest::newRow("outside the table is ?") << QStringLiteral("ß") << QByteArray("?");
        QTest::newRow("surrogate pair is one ?") << QStringLiteral("😀") << QByteArray("?");
        QTest::newRow("lone high surrogate is ?") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("lone low surrogate is ?") << QString(QChar(0xDC00)) << QByteArray("?");
    }
    void encodesOneCharacter()
    {
        QFETCH(QString, character);
        QFETCH(QByteArray, bytes);
        const convert::AnsiCode code = testCodec().encode(character);
        QCOMPARE(code.size, int(bytes.size()));
        QCOMPARE(code.bytes[0], quint8(bytes[0]));
        if (code.size == 2)
            QCOMPARE(code.bytes[1], quint8(bytes[1]));
    }

    // Invisible characters too: ICU would skip them unless told otherwise.
    void marksWhatItCannotEncode_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<bool>("unencodable");
        QTest::newRow("a real question mark") << QStringLiteral("?") << false;
        QTest::newRow("hanzi") << QStringLiteral("只") << false;
        QTest::newRow("sharp s") << QStringLiteral("ß") << true;
        for (const char16_t invisible : {0x202E, 0x200B, 0xFEFF, 0x00AD, 0x2060, 0xFE0F})
            QTest::addRow("U+%04X", unsigned(invisible)) << QString(QChar(invisible)) << true;
        QTest::newRow("surrogate pair") << QStringLiteral("😀") << true;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << true;
    }
    void marksWhatItCannotEncode()
    {
        QFETCH(QString, character);
        QFETCH(bool, unencodable);
        const convert::AnsiCode code = testCodec().encode(character);
        QCOMPARE(code.unencodable, unencodable);
        if (unencodable)
            QCOMPARE(code.bytes[0], quint8('?'));
        // A line says what the list says: one "?" per unencodable character.
        QCOMPARE(testCodec().encodeLine(QStringLiteral("A") + character + QStringLiteral("B")),
                 QByteArray("A")
                     + QByteArray(reinterpret_cast<const char *>(code.bytes.data()), code.size)
                     + "B");
    }

    void signedCodeOfTwoBytesIsNegative()
    {
        QCOMPARE(testCodec().encode(QStringLiteral("只")).code16(), qint16(-10565));
        QCOMPARE(testCodec().encode(QStringLiteral("€")).code16(), qint16(128));
    }

    void decodesBytePair_data()
    {
        QTest::addColumn<QByteArray>("pair");
        QTest::addColumn<QString>("text");
        QTest::newRow("lead and trail give one character")
            << QByteArray::fromHex("D6BB") << QStringLiteral("只");
        QTest::newRow("two one-byte codes give two characters")
            << QByteArray::fromHex("4142") << QStringLiteral("AB");
        QTest::newRow("byte 80 is the euro sign")
            << QByteArray::fromHex("8000") << QStringLiteral("€");
        QTest::newRow("A1A4 is the middle dot")
            << QByteArray::fromHex("A1A4") << QString(QChar(0x00B7));
        QTest::newRow("user-defined area") << QByteArray::fromHex("AAA1") << QString(QChar(0xE000));
        QTest::newRow("zero first byte ends the text") << QByteArray::fromHex("0041") << QString();
        QTest::newRow("zero second byte ends the text")
            << QByteArray::fromHex("4100") << QStringLiteral("A");
        QTest::newRow("lead byte before zero is a replacement")
            << QByteArray::fromHex("D600") << QString(QChar::ReplacementCharacter);
        QTest::newRow("lead byte at the end is a replacement, not dropped")
            << QByteArray::fromHex("41D6")
            << (QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
        QTest::newRow("lead byte before a non-trail keeps the second byte")
            << QByteArray::fromHex("817F") << (QString(QChar::ReplacementCharacter) + QChar(0x7F));
    }
    void decodesBytePair()
    {
        QFETCH(QByteArray, pair);
        QFETCH(QString, text);
        QCOMPARE(testCodec().decodePair(quint8(pair[0]), quint8(pair[1])), text);
    }

    void decodingKeepsNoState()
    {
        Cp936 &codec = testCodec();
        QCOMPARE(codec.decodePair(0x41, 0xD6),
                 QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
        // A lead byte left over from the call before must not pair with this one.
        QCOMPARE(codec.decodePair(0xBB, 0x00), QString(QChar::ReplacementCharacter));
        QCOMPARE(codec.decodePair(0x41, 0x42), QStringLiteral("AB"));
    }

    // Every two-byte code that decodes to a character encodes back to itself.
    void everyDefinedPairRoundTrips()
    {
        Cp936 &codec = testCodec();
        int defined = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const QString text = codec.decodePair(quint8(lead), quint8(trail));
                if (text.size() != 1 || text[0] == QChar::ReplacementCharacter)
                    continue;
                ++defined;
                const convert::AnsiCode code = codec.encode(text);
                if (code.size != 2 || code.lead() != lead || code.trail() != trail)
                    QFAIL(qPrintable(QStringLiteral("%1%2 does not round-trip")
                                         .arg(lead, 2, 16)
                                         .arg(trail, 2, 16)));
            }
        }
        QVERIFY2(defined > 21000, qPrintable(QString::number(defined)));
    }

    // The whole table, both ways, as Debian's ICU has it: every BMP code
    // point encoded, and every byte pair decoded. A build on another
    // platform (Windows' own table) must give the very same bytes and text.
    void wholeTableIsDebians()
    {
        Cp936 &codec = testCodec();
        QCryptographicHash encoded(QCryptographicHash::Sha256);
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            if (QChar::isSurrogate(u))
                continue;
            const QChar c{char16_t(u)};
            const convert::AnsiCode code = codec.encode(QStringView(&c, 1));
            const char bytes[] = {char(code.size), char(code.bytes[0]), char(code.bytes[1]),
                                  char(code.unencodable)};
            encoded.addData(QByteArrayView(bytes, sizeof bytes));
        }
        QCOMPARE(encoded.result().toHex(), QByteArray(encodedTableHash));

        // FF is left out here and checked on its own below.
        QCryptographicHash decoded(QCryptographicHash::Sha256);
        for (int first = 0; first < 0xFF; ++first) {
            for (int second = 0; second < 0xFF; ++second) {
                const QString text = codec.decodePair(quint8(first), quint8(second)) + u'|';
                decoded.addData(
                    QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
            }
        }
        QCOMPARE(decoded.result().toHex(), QByteArray(decodedTableHash));
    }

    void byteFFDecodesAlone_data()
    {
        QTest::addColumn<QByteArray>("pair");
        QTest::addColumn<QString>("text");
        // ICU maps the single byte FF to the private-use U+F8F5, as Windows
        // does; Wine's table leaves FF undefined, so there it is U+FFFD.
        const QChar ff(underWine() ? char16_t(QChar::ReplacementCharacter) : char16_t(0xF8F5));
        QTest::newRow("FF then a letter") << QByteArray::fromHex("FF41") << (QString(ff) + u'A');
        QTest::newRow("a letter then FF")
            << QByteArray::fromHex("41FF") << (QStringLiteral("A") + ff);
        QTest::newRow("a lead byte then FF")
            << QByteArray::fromHex("81FF") << (QString(QChar(QChar::ReplacementCharacter)) + ff);
        QTest::newRow("FF twice") << QByteArray::fromHex("FFFF") << (QString(ff) + ff);
    }
    void byteFFDecodesAlone()
    {
        QFETCH(QByteArray, pair);
        QFETCH(QString, text);
        QCOMPARE(testCodec().decodePair(quint8(pair[0]), quint8(pair[1])), text);
    }

    void encodesLine()
    {
        QCOMPARE(testCodec().encodeLine(u"A只€ß"), QByteArray::fromHex("41D6BB803F"));
        QCOMPARE(testCodec().encodeLine(u""), QByteArray());
    }
};

QTEST_GUILESS_MAIN(tst_Cp936)
#include "tst_cp936.moc"
