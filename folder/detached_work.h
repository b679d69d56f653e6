// SPDX-License-Identifier: MIT
// Work on threads that nobody waits for. A thread reading a file system
// that does not answer (a hung network share) stays in the kernel until the
// file system answers; the user-interface thread never joins such a thread,
// and the program ends without it. What the work finds is handed back to
// the thread that asked for it through a HandBack, for as long as that is
// still there to take it.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

namespace ovaline::folder {

// Runs `work` on a thread of its own that is never joined.
void startDetached(std::function<void()> work);
// How many threads started by startDetached have not ended yet.
int detachedThreadsRunning();

// The way back from detached threads to the thread that made the HandBack:
// what they post runs there from its event loop, unless the HandBack has
// been destroyed by then, in which case it is dropped.
class HandBack {
public:
    HandBack();
    ~HandBack();
    HandBack(const HandBack &) = delete;
    HandBack &operator=(const HandBack &) = delete;

    // What a detached thread keeps to post through; safe on any thread.
    class Poster {
    public:
        void post(std::function<void()> call) const;

    private:
        friend class HandBack;
        struct Shared {
            std::mutex mutex;
            QObject *receiver = nullptr;
        };
        std::shared_ptr<Shared> shared_;
    };

    Poster poster() const { return poster_; }

private:
    std::unique_ptr<QObject> receiver_;
    Poster poster_;
};

} // namespace ovaline::folder
