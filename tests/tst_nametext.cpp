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
