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

#include <algorithm>

using namespace gamefile;

Q_DECLARE_METATYPE(QueryForm)

namespace {

const QByteArray zhangSan = QByteArray::fromHex("D5C5C8FD");

// The leftmost non-overlapping occurrences, the slow way.
QList<qint64> naiveOffsets(const QByteArray &data, const QByteArray &query)
{
    QList<qint64> offsets;
    for (qsizetype at = data.indexOf(query); at >= 0; at = data.indexOf(query, at + query.size()))
        offsets.append(at);
    return offsets;
}

} // namespace

// Finding and patching bytes in any game file, as every platform does it;
// what only POSIX or Linux can arrange is in tst_gamefile_posix and _linux.
class tst_GameFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void queryBytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QueryForm>("form");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("refusal"); // -1: none
        QTest::addColumn<QString>("what");
        const auto text = QueryForm::Text;
        const auto codes = QueryForm::Codes;
        const int none = -1, empty = int(QueryRefusal::Empty);
        const int unencodable = int(QueryRefusal::Unencodable);
        const int notACode = int(QueryRefusal::NotACode);
        QTest::newRow("张三 as text") << "张三" << text << zhangSan << none << "";
        QTest::newRow("e and a combining accent are é, once in NFC")
            << "e\u0301" << text << QByteArray("\xA8\xA6") << none << "";
        QTest::newRow("an emoji is refused, named whole")
            << "张😀三" << text << QByteArray() << unencodable << "😀";
        QTest::newRow("empty text") << "" << text << QByteArray() << empty << "";
        QTest::newRow("a code line") << "D5C5 C8FD" << codes << zhangSan << none << "";
        QTest::newRow("one 2-digit code") << "41" << codes << QByteArray("A") << none << "";
        QTest::newRow("tabs and spaces separate")
            << "\tD5C5\t 41 " << codes << QByteArray::fromHex("D5C541") << none << "";
        QTest::newRow("3 digits are refused")
            << "D5C5 D5C" << codes << QByteArray() << notACode << "D5C";
        QTest::newRow("not hexadecimal") << "G1" << codes << QByteArray() << notACode << "G1";
        QTest::newRow("6 digits are refused")
            << "123456" << codes << QByteArray() << notACode << "123456";
        QTest::newRow("blanks only") << " \t " << codes << QByteArray() << empty << "";
    }
    void queryBytes()
    {
        QFETCH(QString, typed);
        QFETCH(QueryForm, form);
        QFETCH(QByteArray, bytes);
        QFETCH(int, refusal);
        QFETCH(QString, what);
        const QueryBytes query = gamefile::queryBytes(testCodec(), typed, form);
        QCOMPARE(query.refusal ? int(*query.refusal) : -1, refusal);
        QCOMPARE(query.what, what);
        if (!query.refusal)
            QCOMPARE(query.bytes.toHex(' '), bytes.toHex(' '));
    }

    void padReplacement_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<char>("pad");
        QTest::addColumn<QByteArray>("bytes"); // for a query of 4 bytes
        QTest::addColumn<bool>("tooLong");
        QTest::addColumn<qsizetype>("typedSize");
        QTest::newRow("shorter, padded with 00")
            << QByteArray("A") << '\0' << QByteArray("A\0\0\0", 4) << false << qsizetype(1);
        QTest::newRow("shorter, padded with 20")
            << QByteArray("A") << ' ' << QByteArray("A   ") << false << qsizetype(1);
        QTest::newRow("as long as the query")
            << zhangSan << ' ' << zhangSan << false << qsizetype(4);
        QTest::newRow("empty: all padding")
            << QByteArray() << '\0' << QByteArray(4, '\0') << false << qsizetype(0);
        QTest::newRow("longer is refused")
            << zhangSan + "A" << '\0' << QByteArray() << true << qsizetype(5);
    }
    void padReplacement()
    {
        QFETCH(QByteArray, typed);
        QFETCH(char, pad);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, tooLong);
        QFETCH(qsizetype, typedSize);
        const Replacement replacement = gamefile::padReplacement(typed, 4, pad);
        QCOMPARE(replacement.bytes.toHex(' '), bytes.toHex(' '));
        QCOMPARE(replacement.tooLong, tooLong);
        QCOMPARE(replacement.typedSize, typedSize);
    }

    // Each file searched in chunks of several sizes, against the slow way:
    // offsets, the context clipped at the file's ends, the bytes done.
    void searchFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QList<qint64>>("offsets");
        const QByteArray x40(40, 'x');
        QTest::newRow("at offset 0") << zhangSan + x40 << zhangSan << QList<qint64>{0};
        QTest::newRow("in the last bytes") << x40 + zhangSan << zhangSan << QList<qint64>{40};
        QTest::newRow("across chunks of 7 and 64")
            << QByteArray(5, 'x') + zhangSan + QByteArray(53, 'x') + zhangSan + x40 << zhangSan
            << QList<qint64>{5, 62};
        QTest::newRow("AAA in AAAA: one")
            << QByteArray("AAAA") << QByteArray("AAA") << QList<qint64>{0};
        QTest::newRow("AA in AAAAA: 0 and 2")
            << QByteArray("AAAAA") << QByteArray("AA") << QList<qint64>{0, 2};
        QTest::newRow("AAB after a false start")
            << QByteArray("AAAB") << QByteArray("AAB") << QList<qint64>{1};
        QTest::newRow("no hit, near misses at the end")
            << x40 + "\xD5\xC5\xC8\xFE" + "\xD5\xC5\xC8" << zhangSan << QList<qint64>{};
        QTest::newRow("a query longer than the file")
            << QByteArray("\xD5\xC5") << zhangSan << QList<qint64>{};
        QTest::newRow("an empty file") << QByteArray() << zhangSan << QList<qint64>{};
        const QByteArray many = QByteArray("ab").repeated(100);
        QTest::newRow("100 hits, many per chunk")
            << many << QByteArray("ab") << naiveOffsets(many, "ab");
        QByteArray noise;
        for (quint32 seed = 7; noise.size() < 5000;)
            noise.append((seed = seed * 1103515245 + 12345) >> 30 ? 'A' : 'B');
        QTest::newRow("ABA in 5000 bytes of A and B")
            << noise << QByteArray("ABA") << naiveOffsets(noise, "ABA");
    }
    void searchFile()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, query);
        QFETCH(QList<qint64>, offsets);
        QCOMPARE(naiveOffsets(data, query), offsets);
        const QString path = pathOf(QStringLiteral("game.bin"));
        QVERIFY(create(path, data));
        for (const qsizetype chunk :
             {qsizetype(1), qsizetype(2), qsizetype(7), qsizetype(64), qsizetype(1) << 20}) {
            const FoundHits found = searchAll(path, query, chunk);
            const QByteArray at = "chunks of " + QByteArray::number(chunk);
            QVERIFY2(!found.end.error && !found.end.cancelled, at);
            QCOMPARE(found.end.size, qint64(data.size()));
            QCOMPARE(found.end.hits, qint64(offsets.size()));
            QCOMPARE(found.offsets(), offsets);
            for (const Hit &hit : found.hits) {
                const qint64 from = qMax<qint64>(0, hit.offset - 16);
                const qint64 to = qMin<qint64>(data.size(), hit.offset + query.size() + 16);
                QCOMPARE(hit.context, data.mid(from, to - from));
                QCOMPARE(qint64(hit.before), hit.offset - from);
            }
            QVERIFY2(std::is_sorted(found.done.cbegin(), found.done.cend()), at);
            QCOMPARE(found.done.isEmpty() ? 0 : found.done.last(), qint64(data.size()));
        }
    }

    void mayBeInsideCharacter_data()
    {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("inside");
        QTest::newRow("D5 before C5") << qint64(9) << QByteArray("\xD5\xC5\xC8") << 1 << true;
        QTest::newRow("81 before 40") << qint64(9) << QByteArray("\x81\x40") << 1 << true;
        QTest::newRow("FE before FE") << qint64(9) << QByteArray("\xFE\xFE") << 1 << true;
        QTest::newRow("a lead byte before 30, no trail byte")
            << qint64(9) << QByteArray::fromHex("D530") << 1 << false;
        QTest::newRow("a lead byte before FF") << qint64(9) << QByteArray("\xD5\xFF") << 1 << false;
        QTest::newRow("at offset 0") << qint64(0) << QByteArray("\xC5\xC8") << 0 << false;
        QTest::newRow("ASCII before") << qint64(9) << QByteArray("A\xC5") << 1 << false;
        QTest::newRow("80 before, no lead byte")
            << qint64(9) << QByteArray("\x80\xC5") << 1 << false;
    }
    void mayBeInsideCharacter()
    {
        QFETCH(qint64, offset);
        QFETCH(QByteArray, context);
        QFETCH(int, before);
        QFETCH(bool, inside);
        QCOMPARE(gamefile::mayBeInsideCharacter(Hit{offset, context, before}), inside);
    }

    void appendDecoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("张三") << zhangSan << "张三";
        QTest::newRow("controls") << QByteArray("\x00\x0A\x1F\x7F", 4) << "<00><0A><1F><7F>";
        QTest::newRow("D5 before 0, no trail byte") << QByteArray::fromHex("D530") << "<D5>0";
        QTest::newRow("80 is the euro") << QByteArray("\x80") << "€";
        QTest::newRow("FF, the table's private-use U+F8F5, is no character")
            << QByteArray("\xFF") << "<FF>";
        QTest::newRow("a lead byte at the end") << QByteArray("A\xD5") << "A<D5>";
    }
    void appendDecoded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QString out = QStringLiteral("前");
        gamefile::appendDecoded(testCodec(), bytes, out);
        QCOMPARE(out, "前" + text);
    }

    void patchWhereHolds_data()
    {
        QTest::addColumn<QList<qint64>>("offsets");
        QTest::addColumn<QByteArray>("after"); // of "xxxx" 张三 "yyyy" 张三 "zz"
        QTest::addColumn<QList<qint64>>("written");
        QTest::addColumn<int>("skipped");
        const QByteArray liSi = QByteArray::fromHex("C0EECBC4");
        QTest::newRow("both hits") << QList<qint64>{4, 12} << "xxxx" + liSi + "yyyy" + liSi + "zz"
                                   << QList<qint64>{4, 12} << 0;
        QTest::newRow("an offset no longer holding 张三 is skipped")
            << QList<qint64>{12, 5} << "xxxx" + zhangSan + "yyyy" + liSi + "zz" << QList<qint64>{12}
            << 1;
        QTest::newRow("the same offset twice: the second is skipped")
            << QList<qint64>{4, 4} << "xxxx" + liSi + "yyyy" + zhangSan + "zz" << QList<qint64>{4}
            << 1;
        QTest::newRow("cut by the file's end, or past it: skipped, the length kept")
            << QList<qint64>{16, 30} << "xxxx" + zhangSan + "yyyy" + zhangSan + "zz"
            << QList<qint64>{} << 2;
    }
    void patchWhereHolds()
    {
        QFETCH(QList<qint64>, offsets);
        QFETCH(QByteArray, after);
        QFETCH(QList<qint64>, written);
        QFETCH(int, skipped);
        const QString path = pathOf(QStringLiteral("game.bin"));
        QVERIFY(create(path, "xxxx" + zhangSan + "yyyy" + zhangSan + "zz"));
        QVERIFY(giveUncommonIdentity(path));
        const QString identity = fileIdentity(path);
        const PatchEnd end =
            gamefile::patchWhereHolds(path, offsets, zhangSan, QByteArray::fromHex("C0EECBC4"));
        QVERIFY(!end.error);
        QCOMPARE(end.written, written);
        QCOMPARE(end.skipped, qsizetype(skipped));
        QCOMPARE(contents(path).toHex(' '), after.toHex(' '));
        QCOMPARE(fileIdentity(path), identity);
    }

    // Files that are not there, not files, or not to be written; a search
    // cancelled before it starts.
    void refusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("search"); // the SearchStep; -1: searched
        QTest::addColumn<int>("patch");  // the PatchStep
        QTest::newRow("a missing file")
            << "missing" << int(SearchStep::Open) << int(PatchStep::Open);
        QTest::newRow("a folder") << "folder" << int(SearchStep::NotRegularFile)
                                  << int(PatchStep::NotRegularFile);
        QTest::newRow("a read-only file, searched but not patched")
            << "read-only" << -1 << int(PatchStep::Open);
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(int, search);
        QFETCH(int, patch);
        const QString path = pathOf(kind);
        if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        if (kind == "read-only")
            QVERIFY(create(path, zhangSan) && makeReadOnly(path));
        const FoundHits found = searchAll(path, zhangSan);
        QCOMPARE(found.end.error ? int(found.end.error->step) : -1, search);
        QCOMPARE(found.end.hits, qint64(search < 0 ? 1 : 0));
        const PatchEnd end = gamefile::patchWhereHolds(path, {0}, zhangSan, "ABCD");
        QVERIFY(end.error);
        QCOMPARE(int(end.error->step), patch);
        QVERIFY(end.written.isEmpty());
        QCOMPARE(QFileInfo::exists(path), kind != "missing");
        if (kind == "read-only")
            QCOMPARE(contents(path), zhangSan);
    }

    void cancelledBeforeStart()
    {
        const QString path = pathOf(QStringLiteral("game.bin"));
        QVERIFY(create(path, zhangSan.repeated(10)));
        const FoundHits found = searchAll(path, zhangSan, 4, {}, true);
        QVERIFY(found.end.cancelled);
        QVERIFY(!found.end.error);
        QCOMPARE(found.end.hits, qint64(0));
        QVERIFY(found.hits.empty());
    }
};

QTEST_GUILESS_MAIN(tst_GameFile)
#include "tst_gamefile.moc"
