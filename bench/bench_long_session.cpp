// SPDX-License-Identifier: GPL-3.0-or-later
// A long session: 10 000 right answers in one window at upper bound 10 (11 × 11 table shown).
// Does an answer get slower as the session grows, and how much memory does each answer keep?
// Time: Enter + repaint per answer, the first and the last tenth against a bare window's
// repaint sampled after each answer. Memory: resident size after the first tenth and at the
// end (the first answers keep the table's four pictures, once per session).

#include "BenchSupport.h"

using namespace bench;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int answers = Repetitions(argc, argv, 10000);
    const int tenth = answers / 10;
    Trainer t(10);
    const auto bare = BareWindow(t.form->size());

    std::vector<double> answer, baseline;
    long residentAfterTenth = 0;
    for (int i = 0; i < answers; ++i) {
        t.TypeAnswer();
        auto start = Clock::now();
        t.PressEnter();
        Present(*t.form);
        answer.push_back(MicrosSince(start));
        start = Clock::now();
        Present(*bare);
        baseline.push_back(MicrosSince(start));
        if (i + 1 == tenth)
            residentAfterTenth = ResidentKiB();
    }
    const long residentAtEnd = ResidentKiB();

    // Medians of the first or the last tenth of the answers.
    const auto tenthOf = [tenth](const std::vector<double>& v, bool last) {
        return Median({last ? v.end() - tenth : v.begin(), last ? v.end() : v.begin() + tenth});
    };
    const double first = tenthOf(answer, false), firstBase = tenthOf(baseline, false);
    const double end = tenthOf(answer, true), endBase = tenthOf(baseline, true);
    std::printf("%d right answers, window %dx%d, medians.\n\n| answers | Enter + repaint | bare "
                "window repaint | ratio |\n|---|---:|---:|---:|\n",
                answers, t.form->width(), t.form->height());
    std::printf("| first %d | %.0f µs | %.0f µs | %.2f |\n", tenth, first, firstBase,
                first / firstBase);
    std::printf("| last %d | %.0f µs | %.0f µs | %.2f |\n", tenth, end, endBase, end / endBase);
    std::printf("| **last / first** | **%.2f** | %.2f | **%.2f** (ratio of the ratios) |\n\n",
                end / first, endBase / firstBase, (end / endBase) / (first / firstBase));
    std::printf("Resident memory: %ld KiB after %d answers, %ld KiB after %d: **%.0f bytes per "
                "answer** over the last %d.\n",
                residentAfterTenth, tenth, residentAtEnd, answers,
                (residentAtEnd - residentAfterTenth) * 1024.0 / (answers - tenth), answers - tenth);
    if (!t.AllRight())
        std::printf("\n**Warning:** not every answer was booked as right.\n");
    return 0;
}
