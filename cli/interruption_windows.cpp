// SPDX-License-Identifier: MIT
// Windows: Ctrl+C and Ctrl+Break at the console count as SIGINT; closing
// the console, logging off and shutting down as SIGTERM. The console's
// handler runs on a thread of its own.
#include "interruption.h"

#include "cli_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ovaline::cli {
namespace {

std::atomic<int> caught{0};
// How many DeferredInterruptions live; the handler reads it.
std::atomic<int> deferring{0};
std::atomic<const char *> temporary{nullptr};
// Set by the handler; waits watch it.
HANDLE wake = nullptr;
// What the end says, in the user's language: made before an event can come.
std::string interruptedText = "ovaline-cli: interrupted\n";

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
    interruptedText = std::string("ovaline-cli: ") + translate("Cli", "interrupted") + "\n";
    wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (wake)
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int interruption() {
    return caught;
}

DeferredInterruptions::DeferredInterruptions() {
    ++deferring;
}

DeferredInterruptions::~DeferredInterruptions() {
    if (--deferring == 0 && caught != 0)
        endInterrupted();
}

bool waitForInterruption(std::chrono::milliseconds timeout) {
    const DeferredInterruptions deferred;
    if (caught == 0 && wake)
        WaitForSingleObject(wake, static_cast<DWORD>(timeout.count()));
    return caught != 0;
}

void removeOnInterruption(const char *path) {
    temporary = path;
}

void endInterrupted() {
    if (const char *path = temporary.load())
        DeleteFileA(path);
    std::fputs(interruptedText.c_str(), stderr);
    std::_Exit(128 + caught);
}

} // namespace ovaline::cli
