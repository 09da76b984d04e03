// SPDX-License-Identifier: MIT
// vemdra-startup-bench: how long Vemdra takes to show its window, against
// a bare Qt window of the same size with one Chinese label, built by the
// same build (vemdra-bare-window).
//
// Each start is timed from just before the process is started to the
// first drawing into its window, as the X server sees it (firstpaint.h).
// The two programs take turns, RUNS times each (default 12), after one
// start of each that warms the caches and is not counted. It prints the
// median of each and their ratio, then the same for the processor time
// each used by its first paint:
//   bare_ms vemdra_ms ratio
//   bare_cpu_ms vemdra_cpu_ms cpu_ratio
// Then the first click on 转换, 导出结果 and 设置 (firstclick.h), each in a
// program of its own, RUNS times, taking turns:
//   first_click convert_ms export_ms choose_ms
// Needs an X display ($DISPLAY, e.g. under xvfb-run).
//
// "RUNS BASELINE PROGRAM" times two other programs the same way, e.g. an
// older build of Vemdra against this one, and skips the first clicks.
//
// With "--first-click BUTTON" it measures one first click and prints its
// milliseconds (used by the runner above).

#include "firstclick.h"
#include "firstpaint.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One first click in a program of its own, on the real display, with an
// empty folder for the choosers to list.
double firstClick(const char *self, const char *button, const std::string &folder)
{
    const std::string command = "cd '" + folder + "' && QT_QPA_PLATFORM=xcb '" + self
                                + "' --first-click " + button + " 2>/dev/null";
    FILE *child = popen(command.c_str(), "r");
    if (!child)
        return -1;
    double ms = -1;
    if (std::fscanf(child, "%lf", &ms) != 1)
        ms = -1;
    return pclose(child) == 0 ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArrayView(argv[1]) == "--first-click") {
        const double ms = firstClickMilliseconds(argc, argv, QString::fromLatin1(argv[2]));
        std::printf("%.2f\n", ms);
        std::fflush(stdout);
        // Nothing to tidy up: ending at once spares waiting for the
        // chooser's threads.
        _exit(ms < 0 ? 1 : 0);
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 12;
    if (runs < 1 || argc == 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s [RUNS [BASELINE PROGRAM]]\n", argv[0]);
        return 2;
    }
    FirstPaintWatch watch;
    if (!watch.isReady()) {
        std::fprintf(stderr, "no X display with the DAMAGE extension\n");
        return 1;
    }
    const bool ownPrograms = argc == 4;
    const char *programs[] = {ownPrograms ? argv[2] : VEMDRA_BARE_WINDOW,
                              ownPrograms ? argv[3] : VEMDRA_PROGRAM};
    const char *const names[] = {ownPrograms ? "baseline" : "bare",
                                 ownPrograms ? "program" : "vemdra"};
    std::vector<double> seconds[2], cpu[2];
    for (int run = -1; run < runs; ++run) {
        // Alternate which goes first, so that neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (run + 1 + turn) % 2;
            const std::optional<FirstPaint> paint = watch.measure(programs[which], 10.0);
            if (!paint) {
                std::fprintf(stderr, "%s showed no window\n", programs[which]);
                return 1;
            }
            if (run < 0) {
                std::printf("window %s: %dx%d\n", names[which], paint->width, paint->height);
                continue;
            }
            seconds[which].push_back(paint->seconds);
            cpu[which].push_back(paint->cpuSeconds);
        }
    }
    const double baseline = median(seconds[0]) * 1000;
    const double program = median(seconds[1]) * 1000;
    std::printf("start-up to first paint, median of %d runs each\n", runs);
    std::printf("%s_ms %s_ms ratio\n%.1f %.1f %.2f\n", names[0], names[1], baseline, program,
                program / baseline);
    // The processor time of each, which other work on the machine disturbs less.
    const double baselineCpu = median(cpu[0]) * 1000;
    const double programCpu = median(cpu[1]) * 1000;
    std::printf("%s_cpu_ms %s_cpu_ms cpu_ratio\n%.1f %.1f %.2f\n", names[0], names[1], baselineCpu,
                programCpu, programCpu / baselineCpu);
    std::fflush(stdout);
    if (ownPrograms)
        return 0;

    char folderName[] = "/tmp/vemdra-startup-bench-XXXXXX";
    if (!mkdtemp(folderName)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = folderName;
    const char *self = realpath(argv[0], nullptr);
    const char *buttons[] = {"convert", "export", "choose"};
    std::vector<double> clicks[3];
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < 3; ++i) {
            const double ms = firstClick(self, buttons[i], folder);
            if (ms < 0) {
                rmdir(folder.c_str());
                std::fprintf(stderr, "the first click on %s failed\n", buttons[i]);
                return 1;
            }
            clicks[i].push_back(ms);
        }
    }
    rmdir(folder.c_str());
    std::printf("first click, median of %d runs each\n", runs);
    std::printf("first_click convert_ms export_ms choose_ms\n%.2f %.2f %.2f\n", median(clicks[0]),
                median(clicks[1]), median(clicks[2]));
    return 0;
}
