// SPDX-License-Identifier: MIT
// vemdra-find-bench: searchFile against grep and ripgrep on one large file
// of code page 936 text, and patchWhereHolds of 10,000 hits.
//
//     vemdra-find-bench [--size BYTES] [--runs N]
//
// The file (1 GiB unless told) is made in a temporary folder and read once
// before timing, so every program searches it from the page cache. Each
// run takes the programs in turn; the medians are printed, and the count
// of hits is checked against ripgrep's.

#include "gamefile/filesearch.h"
#include "gamefile/patchfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct Query {
    const char *name;
    QByteArray bytes;
    qint64 planted;
};

// xorshift64: the same file on every run.
quint64 nextRandom(quint64 &state)
{
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

// Text as a game's data files hold it: mostly GB2312 characters, some
// ASCII words and line ends. The lead bytes D5 and D6 never occur, nor
// are trail bytes, so the queries are found only where they are planted.
void fillText(char *data, qint64 size, quint64 &state)
{
    qint64 at = 0;
    while (at < size) {
        const quint64 r = nextRandom(state);
        const unsigned kind = unsigned(r % 16);
        if (kind == 0) {
            data[at++] = '\n';
        } else if (kind < 4) {
            data[at++] = char(0x20 + (r >> 8) % 0x5F);
        } else if (at + 1 < size) {
            quint8 lead = quint8(0xB0 + (r >> 8) % 0x48);   // B0-F7
            quint8 trail = quint8(0xA1 + (r >> 16) % 0x5E); // A1-FE
            if (lead == 0xD5 || lead == 0xD6)
                lead = 0xB0;
            if (trail == 0xD5 || trail == 0xD6)
                trail = 0xA1;
            data[at++] = char(lead);
            data[at++] = char(trail);
        } else {
            data[at++] = ' ';
        }
    }
}

// The file, with each query planted at evenly spread places: one in each
// slot of the file, up to 7 bytes after its start, the queries mixed in
// proportion to their counts.
bool makeFile(const QString &path, qint64 size, const QList<Query> &queries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    quint64 state = 0x9E3779B97F4A7C15ULL;
    QByteArray block(1 << 20, '\0');
    for (qint64 base = 0; base < size; base += block.size()) {
        const qint64 length = std::min<qint64>(block.size(), size - base);
        fillText(block.data(), length, state);
        if (file.write(block.constData(), length) != length)
            return false;
    }
    qint64 total = 0;
    for (const Query &query : queries)
        total += query.planted;
    const qint64 slot = size / total;
    if (slot < 16)
        return false;
    QList<qint64> placed(queries.size(), 0);
    for (qint64 n = 0; n < total; ++n) {
        // The query furthest behind its share of the slots so far.
        qsizetype behind = 0;
        for (qsizetype j = 1; j < queries.size(); ++j)
            if (queries[j].planted * (n + 1) - placed[j] * total
                > queries[behind].planted * (n + 1) - placed[behind] * total)
                behind = j;
        ++placed[behind];
        const QByteArray &bytes = queries[behind].bytes;
        if (!file.seek(n * slot + qint64(nextRandom(state) % 8))
            || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

// Vemdra's count of hits, in this process; the offsets too when asked.
qint64 vemdraHits(const QString &path, const QByteArray &query, QList<qint64> *offsets = nullptr)
{
    const std::atomic_bool cancel(false);
    const gamefile::SearchEnd end = gamefile::searchFile(
        path, query,
        [&](qint64, std::vector<gamefile::Hit> &&hits) {
            if (offsets)
                for (const gamefile::Hit &hit : hits)
                    offsets->append(hit.offset);
        },
        cancel);
    return end.error ? -1 : end.hits;
}

// Another program's count; -1 when it failed.
qint64 programCount(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    bool ok = false;
    const qint64 count = process.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? count : -1;
}

double median(QList<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    const qsizetype n = seconds.size();
    return n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // KiB on Linux
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qint64 size = qint64(1) << 30;
    int runs = 5;
    const QStringList arguments = app.arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QStringLiteral("--size"))
            size = arguments[i + 1].toLongLong();
        else if (arguments[i] == QStringLiteral("--runs"))
            runs = std::max(1, arguments[i + 1].toInt());
    }
    if (size < (qint64(1) << 20)) {
        std::fprintf(stderr,
                     "usage: vemdra-find-bench [--size BYTES (1 MiB or more)] [--runs N]\n");
        return 2;
    }

    const QList<Query> queries{
        {"4 bytes, 张三", QByteArray::fromHex("D5C5C8FD"), 10000},
        {"8 bytes, 诸葛孔明", QByteArray::fromHex("D6EEB8F0BFD7C3F7"), 1000}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.bin"));
    if (!dir.isValid() || !makeFile(path, size, queries)) {
        std::fprintf(stderr, "cannot make the %lld-byte file in %s\n", qlonglong(size),
                     qPrintable(dir.path()));
        return 1;
    }
    {
        // Into the page cache, as every program will find it.
        QFile file(path);
        QByteArray block(1 << 20, '\0');
        if (file.open(QIODevice::ReadOnly))
            while (file.read(block.data(), block.size()) > 0) {
            }
    }
    const QString grep = QStandardPaths::findExecutable(QStringLiteral("grep"));
    const QString rg = QStandardPaths::findExecutable(QStringLiteral("rg"));
    std::printf("file: %lld bytes, %d runs each\n", qlonglong(size), runs);
    if (rg.isEmpty())
        std::printf("rg: not installed, left out (and the counts go unchecked)\n");

    int status = 0;
    QList<qint64> patchOffsets;
    for (const Query &query : queries) {
        const QString pattern = dir.filePath(QStringLiteral("pattern"));
        QFile patternFile(pattern);
        if (!patternFile.open(QIODevice::WriteOnly) || patternFile.write(query.bytes) < 0)
            return 1;
        patternFile.close();
        // rg takes no bytes that are not UTF-8 as a pattern, even with -F:
        // the same bytes as a regular expression of literal bytes, which it
        // searches as it would a fixed string.
        QString rgPattern = QStringLiteral("(?-u)");
        for (const char byte : query.bytes)
            rgPattern += QStringLiteral("\\x%1").arg(quint8(byte), 2, 16, QLatin1Char('0'));
        QList<double> vemdra, grepped, ripgrepped;
        qint64 hits = 0;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            hits = vemdraHits(path, query.bytes);
            vemdra.append(double(timer.nsecsElapsed()) / 1e9);
            if (!grep.isEmpty()) {
                timer.start();
                programCount(grep, {"-c", "-a", "-F", "-f", pattern, path});
                grepped.append(double(timer.nsecsElapsed()) / 1e9);
            }
            if (!rg.isEmpty()) {
                timer.start();
                programCount(rg, {"-c", "-a", "-e", rgPattern, path});
                ripgrepped.append(double(timer.nsecsElapsed()) / 1e9);
            }
        }
        std::printf("%s: %lld hits (%lld planted); median seconds: vemdra %.3f", query.name,
                    qlonglong(hits), qlonglong(query.planted), median(vemdra));
        if (!grepped.isEmpty())
            std::printf(", grep %.3f", median(grepped));
        if (!ripgrepped.isEmpty())
            std::printf(", rg %.3f", median(ripgrepped));
        std::printf("\n");
        if (hits != query.planted) {
            std::printf("  MISMATCH: %lld planted\n", qlonglong(query.planted));
            status = 1;
        }
        if (!rg.isEmpty()) {
            const qint64 matches =
                programCount(rg, {"--count-matches", "-a", "-e", rgPattern, path});
            if (matches != hits) {
                std::printf("  MISMATCH: rg --count-matches finds %lld\n", qlonglong(matches));
                status = 1;
            }
        }
        if (patchOffsets.isEmpty())
            vemdraHits(path, query.bytes, &patchOffsets);
    }

    // The first query's hits (10,000 in the whole file), patched in one go.
    patchOffsets = patchOffsets.mid(0, 10000);
    QElapsedTimer timer;
    timer.start();
    const gamefile::PatchEnd end = gamefile::patchWhereHolds(path, patchOffsets, queries[0].bytes,
                                                             QByteArray::fromHex("C0EECBC4"));
    const double patchSeconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("patchWhereHolds: %lld hits written, %lld skipped, %.3f s (with its sync)%s\n",
                qlonglong(end.written.size()), qlonglong(end.skipped), patchSeconds,
                end.error ? ", FAILED" : "");
    std::printf("peak memory: %.1f MB\n", peakMegabytes());
    return end.error ? 1 : status;
}
