// SPDX-License-Identifier: MIT
// Windows: the console's Ctrl+C and Ctrl+Break, and its closing, logging off
// and shutting down, arrive on a thread of the system's; the signal is
// queued to the user-interface thread.
#include "termination_signals.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

namespace ovaline::app {
namespace {

std::atomic<TerminationSignals *> instance{nullptr};

BOOL WINAPI onConsoleEvent(DWORD event) {
    TerminationSignals *target = instance;
    if (!target)
        return FALSE;
    QMetaObject::invokeMethod(target, &TerminationSignals::received, Qt::QueuedConnection);
    // The system ends the process as soon as a closing console's handler
    // returns: it waits here while the program closes and writes its
    // settings.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        Sleep(INFINITE);
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {
    instance = this;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    instance = nullptr;
}

} // namespace ovaline::app
