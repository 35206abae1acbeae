#include "writer_thread.hpp"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

namespace tracemill {

WriterThread::WriterThread(ByteSink& out) : out_(out) {
    current_.data = std::make_unique_for_overwrite<char[]>(kChunkSize);
    for (std::size_t i = 1; i < kChunks; ++i)
        empty_.push_back({std::make_unique_for_overwrite<char[]>(kChunkSize), 0});
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had: write directly.
    }
}

WriterThread::~WriterThread() {
    try {
        finish();
    } catch (...) {
        // Reported to whoever called finish(); a destructor must not throw.
    }
}

void WriterThread::write(std::string_view bytes) {
    if (!thread_.joinable()) {
        out_.write(bytes);
        return;
    }
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), kChunkSize - current_.size);
        std::memcpy(current_.data.get() + current_.size, bytes.data(), n);
        current_.size += n;
        bytes.remove_prefix(n);
        if (current_.size == kChunkSize) hand_over();
    }
}

// Queues a chunk for the thread and returns an empty one in its place,
// waiting for the thread to free one when all are in flight.
WriterThread::Chunk WriterThread::queue(Chunk chunk, std::unique_lock<std::mutex>& lock) {
    full_.push_back(std::move(chunk));
    changed_.notify_all();
    changed_.wait(lock, [this] { return !empty_.empty(); });
    Chunk empty = std::move(empty_.back());
    empty_.pop_back();
    empty.size = 0;
    return empty;
}

void WriterThread::hand_over() {
    std::unique_lock lock(mutex_);
    current_ = queue(std::move(current_), lock);
}

void WriterThread::write_block(std::unique_ptr<char[]>& block, std::size_t size) {
    if (!thread_.joinable()) {
        out_.write(std::string_view(block.get(), size));
        return;
    }
    std::unique_lock lock(mutex_);
    if (current_.size > 0) current_ = queue(std::move(current_), lock);  // what came before
    block = queue({std::move(block), size}, lock).data;
}

void WriterThread::run() {
    for (;;) {
        Chunk chunk;
        bool failed;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !full_.empty() || closing_; });
            if (full_.empty()) return;  // closing, and everything written
            chunk = std::move(full_.front());
            full_.pop_front();
            failed = failure_ != nullptr;
        }
        if (!failed) {
            try {
                out_.write(std::string_view(chunk.data.get(), chunk.size));
            } catch (...) {
                // Kept for finish(); the rest is drained unwritten so that the
                // writer never waits for a chunk in vain.
                const std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
            }
        }
        const std::lock_guard lock(mutex_);
        empty_.push_back(std::move(chunk));
        changed_.notify_all();
    }
}

void WriterThread::finish() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        if (current_.size > 0) full_.push_back(std::move(current_));
        closing_ = true;
        changed_.notify_all();
    }
    thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace tracemill
