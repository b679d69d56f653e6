// SPDX-License-Identifier: MIT
// Windows: Ctrl+C and Ctrl+Break at the console count as SIGINT; closing
// the console, logging off and shutting down as SIGTERM.
#include "interruption.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace ovaline::cli {
namespace {

std::atomic<int> caught{0};
// Set by the handler, which runs on a thread of its own; waits watch it.
HANDLE wake = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    const bool closing = event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT;
    caught = closing ? SIGTERM : SIGINT;
    SetEvent(wake);
    // The system ends the process as soon as a closing console's handler
    // returns: it waits here while the program cancels and ends itself.
    if (closing)
        Sleep(INFINITE);
    return TRUE;
}

} // namespace

void catchInterruptions() {
    wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (wake)
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int interruption() {
    return caught;
}

bool waitForInterruption(std::chrono::milliseconds timeout) {
    if (caught == 0 && wake)
        WaitForSingleObject(wake, static_cast<DWORD>(timeout.count()));
    return caught != 0;
}

void endInterrupted() {
    std::fprintf(stderr, "ovaline-cli: interrupted\n");
    std::exit(128 + caught);
}

} // namespace ovaline::cli
