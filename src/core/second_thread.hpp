// Work done beside the calling thread: a long run split in two halves, the
// second half on a thread of its own.
#pragma once

#include <exception>
#include <functional>
#include <system_error>
#include <utility>
#ifndef __EMSCRIPTEN__
#include <thread>
#endif

namespace tracemill {

// Starts `work` on a second thread. Where no thread can be started, and
// always in the browser's build (which has one thread), the work is done here
// and now instead, so whatever the halves compute must not depend on which.
// The work's exception is kept for wait(); the destructor waits too.
class SecondThread {
public:
    explicit SecondThread(std::function<void()> work) : work_(std::move(work)) {
#ifndef __EMSCRIPTEN__
        try {
            thread_ = std::thread([this] { run(); });
            return;
        } catch (const std::system_error&) {
        }
#endif
        run();
    }
    ~SecondThread() { wait(); }
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // Waits for the work to end; what it threw, if anything.
    std::exception_ptr wait() {
#ifndef __EMSCRIPTEN__
        if (thread_.joinable()) thread_.join();
#endif
        return failure_;
    }

private:
    void run() {
        try {
            work_();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }

    std::function<void()> work_;
    std::exception_ptr failure_;
#ifndef __EMSCRIPTEN__
    std::thread thread_;
#endif
};

}  // namespace tracemill
