// SPDX-License-Identifier: MIT
// The program as it runs for a user, which receives the camera memory as
// soon as the camera has answered and then drags slot 1's frame out of the
// window; it prints the file the drag offers, and tests end it there.
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "ovaline_view.h"
#include "slot_geometry.h"

#include <QDrag>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv) {
    using namespace ovaline;
    app::COvalineApp app(argc, argv);
    QObject::connect(&app, &app::COvalineApp::FirstIdleDone, &app,
                     [&app] { app.GetDocument()->OnReceive(); });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (app.m_bReceivePending || app.m_bBusy || app.GetDocument()->GetSlotSize(0) == 0)
            return;
        watch.stop();
        auto *view = static_cast<app::COvalineView *>(app.m_pMemoryView);
        const QPoint frame = imageview::slotRect(0).center();
        QTest::mousePress(view->Strip(), Qt::LeftButton, {}, frame);
        // Without a display the drag ends at once; the view still holds it.
        QTest::mouseMove(view->Strip(), frame + QPoint(0, 30));
        const QDrag *drag = view->findChild<QDrag *>();
        const QList<QUrl> urls = drag ? drag->mimeData()->urls() : QList<QUrl>();
        std::printf("%s\n", urls.isEmpty() ? "NO FILE" : qPrintable(urls.front().toLocalFile()));
        std::fflush(stdout);
        QTest::mouseRelease(view->Strip(), Qt::LeftButton, {}, frame);
    });
    watch.start(10);
    return app.Run();
}
