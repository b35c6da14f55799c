#include "session/job_runner.h"

JobRunner::JobRunner() : thread_([this] { Serve(); }) {}

JobRunner::~JobRunner() {
    Stop();
}

bool JobRunner::Run(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
    return true;
}

void JobRunner::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void JobRunner::Serve() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}
