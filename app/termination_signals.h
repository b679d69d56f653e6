// SPDX-License-Identifier: MIT
// Turns SIGTERM and SIGINT into a Qt signal on the user-interface thread,
// so that the program can close the way its close box does.
#pragma once

#include <QObject>

#include <csignal>

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
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};

} // namespace ovaline::app
