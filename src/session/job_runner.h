#pragma once
// The thread on which the session's jobs run, one after another, so that no exchange with
// the instrument, and none of its fixed waits, ever runs on the user-interface thread.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class JobRunner {
  public:
    JobRunner();
    // Stop().
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Queues `job` behind the ones already there; false once stopped.
    bool Run(std::function<void()> job);
    // Drops the jobs that have not started, waits for the running one and ends the thread.
    // Whoever calls it first makes the running job end (the link shut down).
    void Stop();

  private:
    void Serve();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};
