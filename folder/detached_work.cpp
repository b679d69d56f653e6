// SPDX-License-Identifier: MIT
#include "detached_work.h"

#include <atomic>
#include <thread>

namespace ovaline::folder {
namespace {

std::atomic<int> running{0};

} // namespace

void startDetached(std::function<void()> work) {
    ++running;
    std::thread([work = std::move(work)]() mutable {
        work();
        // What the work holds goes before the thread counts as ended.
        work = nullptr;
        --running;
    }).detach();
}

int detachedThreadsRunning() {
    return running.load();
}

HandBack::HandBack() : receiver_(std::make_unique<QObject>()) {
    poster_.shared_ = std::make_shared<Poster::Shared>();
    poster_.shared_->receiver = receiver_.get();
}

HandBack::~HandBack() {
    // Once the receiver is unknown nothing more is posted to it; what was
    // posted already goes with it.
    const std::lock_guard lock(poster_.shared_->mutex);
    poster_.shared_->receiver = nullptr;
}

void HandBack::Poster::post(std::function<void()> call) const {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->receiver)
        QMetaObject::invokeMethod(shared_->receiver, std::move(call), Qt::QueuedConnection);
}

} // namespace ovaline::folder
