// SPDX-License-Identifier: MIT
// vemdra-bench: speed and memory of the conversions and the export.
//
// Without arguments it runs every benchmark at every size, each variant in
// a fresh process of its own so that its peak memory is its own, and prints
// one line per measurement:  name size seconds ratio peak_MB
// where ratio is the time over that benchmark's bare baseline.
//
// The window variants of the conversions add a line NAME.input: typing the
// input into its field and showing it, which comes before the click and is
// not part of the conversion's time, with the peak memory at that point.
//
// With "--one NAME VARIANT SIZE" it runs one measurement and prints
// "seconds peak_MB input_seconds input_peak_MB" (used by the runner above).

#include "app/frmmain.h"
#include "app/prompts.h"
#include "app/resultlist.h"
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "convert/cp936.h"
#include "convert/export.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringBuilder>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Answers the export chooser with a fixed path; no dialog is ever shown.
class BenchPrompts : public Prompts {
public:
    QString savePath;
    QString openFileName(QWidget *, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &,
                         QString *) override
    {
        return savePath;
    }
    void message(QWidget *, const QString &, const QString &text) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool question(QWidget *, const QString &, const QString &text) override
    {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(text));
        return false;
    }
    QString text(QWidget *, const QString &, const QString &label) override
    {
        std::fprintf(stderr, "unexpected text request: %s\n", qPrintable(label));
        return {};
    }
};

// Mixed Chinese and ASCII, as a user's text would be.
QString mixedText(qsizetype size)
{
    const QString sample =
        QStringLiteral("真三国无双 Vemdra v1.5a，只爱撒娇不耍任性! 张三 ABC xyz 0123");
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += sample;
    text.truncate(size);
    return text;
}

// Four-digit codes of defined two-byte characters, blank-separated.
QString codeLine(qsizetype tokens)
{
    QString text;
    text.reserve(tokens * 5);
    for (qsizetype i = 0; i < tokens; ++i) {
        if (i)
            text += u' ';
        const int lead = 0xB0 + int(i % 0x40);
        const int trail = 0xA1 + int((i / 0x40) % 0x5E);
        text += QString::number(lead * 256 + trail, 16).toUpper();
    }
    return text;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double secondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

template <typename T>
T *control(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

// Keeps the compiler from dropping work whose result nobody reads.
void keep(const convert::Rows &rows)
{
    volatile qsizetype size = rows.size();
    (void)size;
}

struct Input {
    double seconds = 0;
    double peak = 0;
};

// Types `text` into `field` and shows it, then times a click on `button`
// until `list` holds its lines and the window has caught up. -1 when the
// list does not hold `lines` lines.
double timeConversion(QWidget &window, const char *field, const QString &text, const char *button,
                      const char *list, qsizetype lines, Input &input)
{
    input.seconds = secondsOf([&] {
        control<QLineEdit>(window, field)->setText(text);
        QCoreApplication::processEvents();
    });
    input.peak = peakMegabytes();
    const double seconds = secondsOf([&] {
        control<QPushButton>(window, button)->click();
        QCoreApplication::processEvents();
    });
    return control<ResultList>(window, list)->count() == lines ? seconds : -1;
}

int runOne(int argc, char *argv[], const QString &name, const QString &variant, qsizetype size)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    convert::Cp936 codec;
    BenchPrompts prompts;
    frmMain window(prompts, codec);
    window.show();
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    prompts.savePath = dir.filePath("export.txt");

    double seconds = -1;
    Input input;
    if (name == "chars_to_codes") {
        const QString text = mixedText(size);
        if (variant == "bare")
            seconds = secondsOf([&] { keep(convert::CharRows(text, codec)); });
        else
            seconds =
                timeConversion(window, "Text1", text, "Command3", "List1", text.size(), input);
    } else if (name == "codes_to_chars") {
        const QString text = codeLine(size);
        if (variant == "bare")
            seconds = secondsOf([&] { keep(convert::CodeRows(text, codec)); });
        else
            seconds = timeConversion(window, "Text2", text, "Command4", "List2", size, input);
    } else if (name == "export") {
        // size lines in List1, one per character converted.
        ResultList *list = control<ResultList>(window, "List1");
        list->setRows(std::make_unique<convert::CharRows>(mixedText(size), codec));
        if (variant == "bare") {
            // The same bytes, prepared in memory, written with one buffered
            // write and synced as the export syncs.
            QString all;
            for (qsizetype i = 0; i < list->rows().size(); ++i)
                all += list->rows().line(i) % QStringLiteral("\r\n");
            const QByteArray bytes = codec.encodeLine(all);
            seconds = secondsOf([&] {
                FILE *file = std::fopen(qPrintable(prompts.savePath), "wb");
                std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
                std::fflush(file);
                fsync(fileno(file));
                std::fclose(file);
            });
        } else {
            seconds = secondsOf([&] { control<QPushButton>(window, "Command5")->click(); });
        }
    } else {
        return 2;
    }
    if (seconds < 0)
        return 1;
    std::printf("%.4f %.1f %.4f %.1f\n", seconds, peakMegabytes(), input.seconds, input.peak);
    return 0;
}

struct Measurement {
    double seconds = 0;
    double peak = 0;
    Input input;
};

bool measure(const QString &self, const QString &name, const QString &variant, qsizetype size,
             Measurement &result)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, {"--one", name, variant, QString::number(size)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return false;
    const QStringList parts = QString::fromLatin1(child.readAllStandardOutput()).split(u' ');
    if (parts.size() != 4)
        return false;
    result = {parts[0].toDouble(), parts[1].toDouble(), {parts[2].toDouble(), parts[3].toDouble()}};
    return true;
}

int runAll(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList names{"chars_to_codes", "codes_to_chars", "export"};
    const QList<qsizetype> sizes{10'000, 100'000, 1'000'000};
    std::printf("name size seconds ratio peak_MB\n");
    int failures = 0;
    for (const QString &name : names) {
        for (qsizetype size : sizes) {
            Measurement bare, full;
            if (!measure(self, name, "bare", size, bare)
                || !measure(self, name, "window", size, full)) {
                std::printf("%s %lld failed\n", qPrintable(name), qlonglong(size));
                ++failures;
                continue;
            }
            const auto line = [&](const char *suffix, double seconds, double peak) {
                std::printf("%s%s %lld %.3f %.2f %.0f\n", qPrintable(name), suffix, qlonglong(size),
                            seconds, bare.seconds > 0 ? seconds / bare.seconds : 0.0, peak);
            };
            line(".bare", bare.seconds, bare.peak);
            if (full.input.seconds > 0)
                line(".input", full.input.seconds, full.input.peak);
            line("", full.seconds, full.peak);
            std::fflush(stdout);
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 5 && QByteArrayView(argv[1]) == "--one")
        return runOne(argc, argv, QString::fromLatin1(argv[2]), QString::fromLatin1(argv[3]),
                      QByteArray(argv[4]).toLongLong());
    return runAll(argc, argv);
}
