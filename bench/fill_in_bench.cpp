// SPDX-License-Identifier: MIT
// How soon a slot's frame shows its picture arriving:
//   first_rows_visible_s  from the start of a slot's receive at 9,600 bit/s
//                         on the virtual line in real time to the first
//                         drawing of the frame with picture rows in it
//                         (median of three; each receive is then given up)
#include "median.h"
#include "ovaline_app.h"
#include "ovaline_view.h"
#include "program_on_virtual_camera.h"
#include "slot_geometry.h"

#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

using namespace ovaline;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;
constexpr int kLookMs = 20;

// Slot 1's thumbnail place as the frame draws it now.
QImage thumbArea(app::COvalineView &view) {
    return view.Strip()->grab().toImage().copy(
        QRect(imageview::thumbOrigin(0), QSize(imageview::kThumbWidth, 45)));
}

// Seconds from the start of slot 1's receive to the first drawing of its
// frame that differs from the empty one; negative when the picture arrived
// whole first.
double firstRowsVisible(app::COvalineView &view, const QImage &empty) {
    const Clock::time_point start = Clock::now();
    double seen = -1;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (seen < 0 && thumbArea(view) != empty) {
            seen = std::chrono::duration<double>(Clock::now() - start).count();
            view.CancelTransfer();
        }
    });
    look.start(kLookMs);
    view.ReceiveSlot(0);
    return seen;
}

} // namespace

int main(int argc, char **argv) {
    bench::ProgramOnVirtualCamera program(argc, argv, "fill_in_bench");
    if (!program.Start())
        return 1;
    app::COvalineApp &application = program.application;
    program.env.set("OVALINE_VIRTUAL_SPEED", "1");
    application.m_nBaudIndex = 2; // 9,600 bit/s
    auto *view = static_cast<app::COvalineView *>(application.m_pMemoryView);
    const QImage empty = thumbArea(*view);

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double seconds = firstRowsVisible(*view, empty);
        if (seconds < 0 || thumbArea(*view) != empty) {
            std::fprintf(stderr, "fill_in_bench: the frame %s\n",
                         seconds < 0 ? "showed nothing while the picture arrived"
                                     : "kept rows of a picture given up");
            application.ExitInstance();
            return 1;
        }
        times.push_back(seconds);
    }
    application.ExitInstance();
    std::printf("first_rows_visible_s: %.2f\n", test::median(times));
    return program.messages == 0 ? 0 : 1;
}
