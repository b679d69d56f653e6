// SPDX-License-Identifier: MIT
// Windows: Ctrl+C and Ctrl+Break at the console count as SIGINT; closing
// the console, logging off and shutting down as SIGTERM. The console's
// handler runs on a thread of its own.
#include "interruption.h"

#include "interruption_state.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace ovaline::cli {
namespace {

using namespace interrupted;

// Set by the handler; waits watch it.
HANDLE wake = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    const bool closing = event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT;
    caught = closing ? SIGTERM : SIGINT;
    if (deferring.load() == 0)
        endInterrupted();
    SetEvent(wake);
    // The system ends the process as soon as a closing console's handler
    // returns: it waits here while the program cancels and ends itself.
    if (closing)
        Sleep(INFINITE);
    return TRUE;
}

} // namespace

void catchInterruptions() {
    prepareText();
    wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (wake)
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool waitForInterruption(std::chrono::milliseconds timeout) {
    const DeferredInterruptions deferred;
    if (caught == 0 && wake)
        WaitForSingleObject(wake, static_cast<DWORD>(timeout.count()));
    return caught != 0;
}

void endInterrupted() {
    if (const char *path = temporary.load())
        DeleteFileA(path);
    std::fputs(text.c_str(), stderr);
    std::_Exit(128 + caught);
}

} // namespace ovaline::cli
