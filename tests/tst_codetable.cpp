// SPDX-License-Identifier: MIT
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "convert/codetable.h"
#include "convert/export.h"
#include "support/codec.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

class tst_CodeTable : public QObject {
    Q_OBJECT

private slots:
    void tableBytes_data()
    {
        QTest::addColumn<bool>("page0");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("utf16");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<qsizetype>>("leftOut"); // unencodable, control, empty
        QTest::newRow("UTF-16: byte-order mark, CR LF, first appearance, duplicates once")
            << true << QStringLiteral("三A三€") << true
            << QByteArray("\xFF\xFE"
                          "C\0008\000F\000D\000=\000\x09\x4E\r\000\n\000"
                          "4\0001\000=\000A\000\r\000\n\000"
                          "8\0000\000=\000\xAC\x20\r\000\n\000",
                          42)
            << QList<qsizetype>{0, 0, 0};
        QTest::newRow("UTF-8 without a mark; ß, 😀 and controls left out, a real ? kept")
            << true << QStringLiteral("张?ß\t😀A\n\x7FßA") + QChar(0) << false
            << QByteArray("D5C5=\xE5\xBC\xA0\r\n3F=?\r\n41=A\r\n") << QList<qsizetype>{2, 4, 0};
        QTest::newRow("tokens: two one-byte codes give two entries, empty tokens left out")
            << false << QStringLiteral("4142 D6BB  0041 D6 D621 41 0A") << false
            << QByteArray("41=A\r\n42=B\r\nD6BB=\xE5\x8F\xAA\r\n21=!\r\n")
            << QList<qsizetype>{1, 1, 2};
    }
    void tableBytes()
    {
        QFETCH(bool, page0);
        QFETCH(QString, input);
        QFETCH(bool, utf16);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qsizetype>, leftOut);
        const convert::CharRows chars(input, testCodec());
        const convert::CodeRows codes(input, testCodec());
        convert::LeftOut out;
        const convert::CodeTable table =
            convert::tableOfRows(page0 ? static_cast<const convert::Rows &>(chars) : codes, out);
        QCOMPARE((QList<qsizetype>{out.unencodable, out.control, out.empty}), leftOut);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.tbl");
        QVERIFY(!convert::exportLines(path, table, testCodec(),
                                      utf16 ? convert::TextEncoding::Utf16LittleEndianWithBom
                                            : convert::TextEncoding::Utf8));
        QCOMPARE(contents(path), bytes);
    }

    // Private-use codes are left out, and every entry reads back through
    // page 1 as its character.
    void wholeCodePage()
    {
        const convert::CodeTable table = convert::wholeCodePage(testCodec());
        QCOMPARE(table.size(), 21887);
        QCOMPARE(table.line(0), QStringLiteral("20= "));
        QVERIFY(table.line(table.size() - 1).startsWith(QStringLiteral("FE")));
        for (qsizetype i = 0; i < table.size(); ++i) {
            const QString line = table.line(i);
            const QString hex = line.section(u'=', 0, 0);
            const QChar character = table.entries()[i].character;
            QVERIFY(character.unicode() < 0xE000 || character.unicode() > 0xF8FF);
            QCOMPARE(convert::CodeRows(hex, testCodec()).text(0), QStringView(&character, 1));
        }
    }

    // A list keeps a line up to its first NUL; copied codes refuse a
    // character the code page cannot hold.
    void rowsKeepTheirData()
    {
        const convert::CharRows chars(QString(QStringLiteral("A") + QChar(0) + QStringLiteral("B")),
                                      testCodec());
        QCOMPARE(chars.line(1), QStringLiteral("序号:2   原字符:"));
        const convert::CodeRows codes(
            QString(QStringLiteral("41") + QChar(0) + QStringLiteral(" D621")), testCodec());
        QCOMPARE(codes.line(0), QStringLiteral("序号:1  41"));
        QCOMPARE(convert::textOfRows(codes, {0, 1}), QStringLiteral("A\uFFFD!"));
        const convert::CharRows refused(QStringLiteral("张𠀀三"), testCodec());
        const convert::CodeLine line = convert::codeLineOfRows(refused, {0, 1, 2});
        QCOMPARE(line.refused, 1);
        QCOMPARE(line.codes, QString());
        QCOMPARE(convert::codeLineOfRows(refused, {2, 0}).codes, QStringLiteral("C8FD D5C5"));
    }
};

QTEST_GUILESS_MAIN(tst_CodeTable)
#include "tst_codetable.moc"
