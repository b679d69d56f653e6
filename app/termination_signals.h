// SPDX-License-Identifier: MIT
// Turns SIGTERM and SIGINT into a Qt signal on the user-interface thread,
// so that the program can close the way its close box does. On Windows
// (termination_signals_windows.cpp) the console's Ctrl+C, Ctrl+Break and
// close take their place.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace ovaline::app {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received();

private:
    void drain();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace ovaline::app
