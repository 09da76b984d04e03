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
// Needs an X display ($DISPLAY, e.g. under xvfb-run).

#include "firstpaint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 12;
    if (runs < 1) {
        std::fprintf(stderr, "usage: %s [RUNS]\n", argv[0]);
        return 2;
    }
    FirstPaintWatch watch;
    if (!watch.isReady()) {
        std::fprintf(stderr, "no X display with the DAMAGE extension\n");
        return 1;
    }
    const char *programs[] = {VEMDRA_BARE_WINDOW, VEMDRA_PROGRAM};
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
                std::printf("window %s: %dx%d\n", which == 0 ? "bare" : "vemdra", paint->width,
                            paint->height);
                continue;
            }
            seconds[which].push_back(paint->seconds);
            cpu[which].push_back(paint->cpuSeconds);
        }
    }
    const double bare = median(seconds[0]) * 1000;
    const double vemdra = median(seconds[1]) * 1000;
    std::printf("start-up to first paint, median of %d runs each\n", runs);
    std::printf("bare_ms vemdra_ms ratio\n%.1f %.1f %.2f\n", bare, vemdra, vemdra / bare);
    // The processor time of each, which other work on the machine disturbs less.
    const double bareCpu = median(cpu[0]) * 1000;
    const double vemdraCpu = median(cpu[1]) * 1000;
    std::printf("bare_cpu_ms vemdra_cpu_ms cpu_ratio\n%.1f %.1f %.2f\n", bareCpu, vemdraCpu,
                vemdraCpu / bareCpu);
    return 0;
}
