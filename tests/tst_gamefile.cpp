// SPDX-License-Identifier: MIT
#include "gamefile/contexttext.h"
#include "gamefile/patchfile.h"
#include "gamefile/query.h"
#include "support/codec.h"
#include "support/fileidentity.h"
#include "support/files.h"
#include "support/gamefilesearch.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace gamefile;

Q_DECLARE_METATYPE(QueryForm)

namespace {

using Offsets = QList<qint64>;
const char *const refusalWords[] = {"empty: ", "unencodable: ", "not a code: "};
const QByteArray zhangSan = QByteArray::fromHex("D5C5C8FD"), liSi = QByteArray::fromHex("C0EECBC4");

// The leftmost non-overlapping occurrences, the slow way.
Offsets naiveOffsets(const QByteArray &data, const QByteArray &query)
{
    Offsets offsets;
    for (qsizetype at = data.indexOf(query); at >= 0; at = data.indexOf(query, at + query.size()))
        offsets.append(at);
    return offsets;
}

} // namespace

// Finding and patching bytes in any game file, as every platform does it;
// what only Linux can arrange is in tst_gamefile_linux.
class tst_GameFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // The bytes, or the refusal and what it names.
    void queryBytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QueryForm>("form");
        QTest::addColumn<QString>("result");
        const auto text = QueryForm::Text, codes = QueryForm::Codes;
        QTest::newRow("张三 as text") << "张三" << text << "d5 c5 c8 fd";
        QTest::newRow("e, combining acute: é in NFC") << "e\u0301" << text << "a8 a6";
        QTest::newRow("an emoji, named whole") << "张😀" << text << "unencodable: 😀";
        QTest::newRow("empty text") << "" << text << "empty: ";
        QTest::newRow("a code line, 4 and 2 digits") << "D5C5 C8FD 41" << codes << "d5 c5 c8 fd 41";
        QTest::newRow("tabs and spaces separate") << "\tD5C5\t 41 " << codes << "d5 c5 41";
        QTest::newRow("3 digits") << "D5C5 D5C" << codes << "not a code: D5C";
        QTest::newRow("not hexadecimal") << "G1" << codes << "not a code: G1";
        QTest::newRow("6 digits") << "123456" << codes << "not a code: 123456";
        QTest::newRow("blanks only") << " \t " << codes << "empty: ";
    }
    void queryBytes()
    {
        QFETCH(QString, typed);
        QFETCH(QueryForm, form);
        const QueryBytes query = gamefile::queryBytes(testCodec(), typed, form);
        QTEST(query.refusal ? QLatin1String(refusalWords[int(*query.refusal)]) + query.what
                            : QString::fromLatin1(query.bytes.toHex(' ')),
              "result");
    }

    // For a query of 4 bytes: the bytes, and how many were typed.
    void padReplacement_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<char>("pad");
        QTest::addColumn<QByteArray>("result");
        const QByteArray a("A");
        QTest::newRow("shorter, padded with 00") << a << '\0' << QByteArray("41000000 1");
        QTest::newRow("shorter, padded with 20") << a << ' ' << QByteArray("41202020 1");
        QTest::newRow("as long") << zhangSan << ' ' << QByteArray("d5c5c8fd 4");
        QTest::newRow("empty: all padding") << QByteArray() << '\0' << QByteArray("00000000 0");
        QTest::newRow("longer: refused") << zhangSan + "A" << '\0' << QByteArray("too long 5");
    }
    void padReplacement()
    {
        QFETCH(QByteArray, typed);
        QFETCH(char, pad);
        const Replacement padded = gamefile::padReplacement(typed, 4, pad);
        QTEST((padded.tooLong && padded.bytes.isEmpty() ? "too long" : padded.bytes.toHex()) + ' '
                  + QByteArray::number(padded.typedSize),
              "result");
    }

    // Each file searched in chunks of several sizes, against the slow way:
    // offsets, and the context clipped at the file's ends.
    void searchFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<Offsets>("offsets");
        const auto row = [](const char *name, const QByteArray &data, const QByteArray &query,
                            const Offsets &offsets) {
            QTest::newRow(name) << data << query << offsets;
        };
        const QByteArray x5(5, 'x'), x40(40, 'x'), abs = QByteArray("ab").repeated(100);
        row("at offset 0", zhangSan + x40, zhangSan, {0});
        row("in the last bytes", x40 + zhangSan, zhangSan, {40});
        row("across chunks of 7 and 64", x5 + zhangSan + x40 + QByteArray(13, 'x') + zhangSan + x40,
            zhangSan, {5, 62});
        row("AAA in AAAA: one", "AAAA", "AAA", {0});
        row("AA in AAAAA: 0 and 2", "AAAAA", "AA", {0, 2});
        row("AAB after a false start", "AAAB", "AAB", {1});
        row("no hit, near misses at the end", x40 + "\xD5\xC5\xC8\xFE\xD5\xC5\xC8", zhangSan, {});
        row("a query longer than the file", "\xD5\xC5", zhangSan, {});
        row("an empty file", "", zhangSan, {});
        row("100 hits, many per chunk", abs, "ab", naiveOffsets(abs, "ab"));
        QByteArray noise;
        for (quint32 seed = 7; noise.size() < 5000;)
            noise.append((seed = seed * 1103515245 + 12345) >> 30 ? 'A' : 'B');
        row("ABA in 5000 bytes of A and B", noise, "ABA", naiveOffsets(noise, "ABA"));
    }
    void searchFile()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, query);
        QFETCH(Offsets, offsets);
        QCOMPARE(naiveOffsets(data, query), offsets);
        const QString path = m_dir.filePath(QStringLiteral("game.bin"));
        QVERIFY(create(path, data));
        for (const qsizetype chunk : {1, 2, 7, 64, 1 << 20}) {
            const FoundHits found = searchAll(path, query, chunk);
            QVERIFY2(!found.end.error && !found.end.cancelled, QByteArray::number(chunk));
            QCOMPARE(found.end.size, qint64(data.size()));
            QCOMPARE(found.end.hits, qint64(offsets.size()));
            QCOMPARE(found.offsets, offsets);
            for (const Hit &hit : found.hits) {
                const qint64 from = qMax<qint64>(0, hit.offset - 16);
                QCOMPARE(hit.context, data.mid(from, hit.offset + query.size() + 16 - from));
                QCOMPARE(qint64(hit.before), hit.offset - from);
            }
        }
    }

    // `context` around a hit at offset 9, its first byte after `before`.
    void mayBeInsideCharacter_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("inside");
        QTest::newRow("D5 before C5") << QByteArray::fromHex("D5C5C8") << 1 << true;
        QTest::newRow("FE before FE") << QByteArray::fromHex("41FEFE") << 2 << true;
        QTest::newRow("D5 before 30, no trail") << QByteArray::fromHex("D530") << 1 << false;
        QTest::newRow("at offset 0") << QByteArray::fromHex("C5C8") << 0 << false;
        QTest::newRow("ASCII before") << QByteArray::fromHex("41C5") << 1 << false;
        QTest::newRow("80 before, no lead") << QByteArray::fromHex("80C5") << 1 << false;
    }
    void mayBeInsideCharacter()
    {
        QFETCH(QByteArray, context);
        QFETCH(int, before);
        QTEST(gamefile::mayBeInsideCharacter(Hit{before ? 9 : 0, context, before, 1}), "inside");
    }

    // Appended after what `out` held.
    void appendDecoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("张三") << zhangSan << "前张三";
        QTest::newRow("controls") << QByteArray::fromHex("000A1F7F") << "前<00><0A><1F><7F>";
        QTest::newRow("D5 before 0, no trail") << QByteArray::fromHex("D530") << "前<D5>0";
        QTest::newRow("80 is the euro") << QByteArray::fromHex("80") << "前€";
        QTest::newRow("FF, private use in the table") << QByteArray::fromHex("FF") << "前<FF>";
        QTest::newRow("AAA1, user-defined") << QByteArray::fromHex("AAA141") << "前<AAA1>A";
        QTest::newRow("a lead byte at the end") << QByteArray::fromHex("41D5") << "前A<D5>";
    }
    void appendDecoded()
    {
        QFETCH(QByteArray, bytes);
        QString out = QStringLiteral("前");
        gamefile::appendDecoded(testCodec(), bytes, out);
        QTEST(out, "text");
    }

    // Of "xxxx" 张三 "yyyy" 张三 "zz", 李四 written where 张三 still is.
    void patchWhereHolds_data()
    {
        QTest::addColumn<Offsets>("offsets");
        QTest::addColumn<Offsets>("written");
        QTest::addColumn<int>("skipped");
        QTest::newRow("both hits") << Offsets{4, 12} << Offsets{4, 12} << 0;
        QTest::newRow("5 holds no 张三: skipped") << Offsets{12, 5} << Offsets{12} << 1;
        QTest::newRow("twice: skipped the second time") << Offsets{4, 4} << Offsets{4} << 1;
        QTest::newRow("cut by the end, past it: skipped") << Offsets{16, 30} << Offsets{} << 2;
    }
    void patchWhereHolds()
    {
        QFETCH(Offsets, offsets);
        QFETCH(Offsets, written);
        const QString path = m_dir.filePath(QStringLiteral("game.bin"));
        QByteArray after = "xxxx" + zhangSan + "yyyy" + zhangSan + "zz";
        QVERIFY(create(path, after) && giveUncommonIdentity(path));
        const QString identity = fileIdentity(path);
        const PatchEnd end = gamefile::patchWhereHolds(path, offsets, zhangSan, liSi);
        QVERIFY(!end.error);
        QCOMPARE(end.written, written);
        QTEST(int(end.skipped), "skipped");
        for (const qint64 offset : written)
            after.replace(offset, 4, liSi);
        QCOMPARE(contents(path).toHex(' '), after.toHex(' '));
        QCOMPARE(fileIdentity(path), identity);
    }

    // Files that are not there, not files, or not to be written; a search
    // cancelled before it starts. Nothing is created or changed.
    // A query at every byte stops where the caller says.
    void stopsAtMaxHits()
    {
        const QString path = m_dir.filePath(QStringLiteral("zeros"));
        QVERIFY(create(path, QByteArray(3000, '\0')));
        const std::atomic_bool cancel = false;
        qint64 reported = 0;
        const auto end = gamefile::searchFile(
            path, QByteArray(1, '\0'),
            [&](qint64, std::vector<gamefile::Hit> &&hits) { reported += qint64(hits.size()); },
            cancel, 64, 1000);
        QVERIFY(end.reachedMaxHits && !end.error);
        QCOMPARE(end.hits, 1000);
        QCOMPARE(reported, 1000);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("search"); // the SearchStep; -1: searched, -2: cancelled
        QTest::addColumn<int>("patch");  // the PatchStep; -1: patched
        QTest::newRow("a missing file")
            << "missing" << int(SearchStep::Open) << int(PatchStep::Open);
        QTest::newRow("a folder") << "folder" << int(SearchStep::NotRegularFile)
                                  << int(PatchStep::NotRegularFile);
        QTest::newRow("a read-only file") << "read-only" << -1 << int(PatchStep::Open);
        QTest::newRow("cancelled before starting") << "cancelled" << -2 << -1;
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(int, search);
        const QString path = m_dir.filePath(kind);
        QVERIFY(kind == "missing"
                || (kind == "folder" ? QDir().mkpath(path) : create(path, zhangSan)));
        QVERIFY(kind != "read-only" || makeReadOnly(path));
        const FoundHits found = searchAll(path, zhangSan, 1 << 20, {}, kind == "cancelled");
        QCOMPARE(found.end.error ? int(found.end.error->step) : -1 - found.end.cancelled, search);
        QCOMPARE(found.offsets, search == -1 ? Offsets{0} : Offsets{});
        const PatchEnd end = gamefile::patchWhereHolds(path, {0}, zhangSan, "ABCD");
        QTEST(end.error ? int(end.error->step) : -1, "patch");
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
    }
};

QTEST_GUILESS_MAIN(tst_GameFile)
#include "tst_gamefile.moc"
