// SPDX-License-Identifier: MIT
#include "savefile/nametext.h"
#include "support/codec.h"

#include <QTest>

using Refusal = savefile::NameBoxes::Refusal;
Q_DECLARE_METATYPE(Refusal)

class tst_NameText : public QObject {
    Q_OBJECT

private slots:
    void nameFillsTheBoxesWithItsBytesInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("byteCount");
        const auto fits = [](const char *row, const QString &name, const QStringList &boxes) {
            QTest::newRow(row) << name << boxes << Refusal::None << QString() << 0;
        };
        fits("two characters", "张三", {"D5C5", "C8FD", "", ""});
        fits("four characters, eight bytes", "只爱撒娇", {"D6BB", "B0AE", "C8F6", "BDBF"});
        fits("a letter first puts a character across two cells", "A张", {"41D5", "C5", "", ""});
        QTest::newRow("a surrogate pair is one character")
            << QStringLiteral("A😀") << QStringList(4) << Refusal::Unencodable << QStringLiteral("😀")
            << 0;
        fits("a line end copied with the name is dropped", "张三\r\n", {"D5C5", "C8FD", "", ""});
        fits("a decomposed letter is composed first", QStringLiteral("e\u0301"),
             {"A8A6", "", "", ""});
        const auto control = [](const char *row, const QString &name, const QString &character) {
            QTest::newRow(row) << name << QStringList(4) << Refusal::Control << character << 0;
        };
        control("a line end inside the name", "张\n三", "\n");
        control("a tab", "A\tB", "\t");
        control("a NUL", QString::fromUtf16(u"A\0B", 3), QString(QChar(0)));
        control("DEL", "A\x7F", "\x7F");
    }
    void nameFillsTheBoxesWithItsBytesInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, boxes);
        QFETCH(Refusal, refusal);
        QFETCH(QString, character);
        QFETCH(int, byteCount);
        const savefile::NameBoxes fill = savefile::hexBoxesForName(name, testCodec());
        QCOMPARE(fill.refusal, refusal);
        QCOMPARE(QStringList(fill.boxes.begin(), fill.boxes.end()), boxes);
        QCOMPARE(fill.character, character);
        QCOMPARE(fill.byteCount, byteCount);
    }

    // A pasted code line gives the boxes F2 gives for a name of its bytes.
    void codeLineFillsTheBoxesByItsBytes_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("byteCount");
        const auto fits = [](const char *row, int first, const QString &line,
                             const QStringList &boxes) {
            QTest::newRow(row) << first << line << boxes << Refusal::None << QString() << 0;
        };
        fits("two-byte codes one to a box", 0, "D5C5 C8FD", {"D5C5", "C8FD", "", ""});
        fits("one-byte codes two to a box, as F2 lays out ABCD", 0, "41 42 43 44",
             {"4142", "4344", "", ""});
        fits("ABCDE as page 0 copies it", 0, "41 42 43 44 45", {"4142", "4344", "45", ""});
        fits("from the box pasted into", 2, "D5C5 41", {"", "", "D5C5", "41"});
        fits("blanks and line ends around codes", 0, "  d5c5\tc8fd\r\n", {"D5C5", "C8FD", "", ""});
        fits("three digits are two bytes", 0, "ABC 1", {"0ABC", "01", "", ""});
        const auto refused = [](const char *row, int first, const QString &line, Refusal refusal,
                                const QString &token, int byteCount) {
            QTest::newRow(row) << first << line << QStringList(4) << refusal << token << byteCount;
        };
        refused("nine bytes", 0, "D6BB B0AE C8F6 BDBF 41", Refusal::TooLong, QString(), 9);
        refused("three bytes from the last box", 3, "41 42 43", Refusal::TooLong, QString(), 3);
        refused("a 0x prefix", 0, "0xD5C5 0xC8FD", Refusal::NotACode, "0xD5C5", 0);
        refused("five digits", 0, "D5C5C", Refusal::NotACode, "D5C5C", 0);
        refused("a sign", 0, "41 +42", Refusal::NotACode, "+42", 0);
    }
    void codeLineFillsTheBoxesByItsBytes()
    {
        QFETCH(int, first);
        QFETCH(QString, line);
        QFETCH(QStringList, boxes);
        QFETCH(Refusal, refusal);
        QFETCH(QString, token);
        QFETCH(int, byteCount);
        const savefile::NameBoxes fill = savefile::hexBoxesForCodeLine(line, first);
        QCOMPARE(fill.refusal, refusal);
        QCOMPARE(QStringList(fill.boxes.begin(), fill.boxes.end()), boxes);
        QCOMPARE(fill.character, token);
        QCOMPARE(fill.byteCount, byteCount);
    }

    void slotReadsInOrderLikeTheGame_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QString>("name");
        QTest::newRow("two characters") << QByteArray::fromHex("D5C5C8FD00000000") << "张三";
        QTest::newRow("a character across two cells")
            << QByteArray::fromHex("41D5C50000000000") << "A张";
        QTest::newRow("a zero ends only its cell")
            << QByteArray::fromHex("4100D5C500414200") << "A张B";
        QTest::newRow("a lead byte at the end is a replacement")
            << QByteArray::fromHex("41000000000041D5")
            << "AA" + QString(QChar::ReplacementCharacter);
    }
    void slotReadsInOrderLikeTheGame()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QString, name);
        savefile::SlotBytes bytes{};
        std::copy(slot.begin(), slot.end(), bytes.begin());
        QCOMPARE(savefile::slotName(bytes, testCodec()), name);
    }
};

QTEST_GUILESS_MAIN(tst_NameText)
#include "tst_nametext.moc"
