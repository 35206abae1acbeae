// A second thread for the writing of a file, so that the system's share of
// it (copying the bytes into the file, starting the disk) runs alongside the
// making of the next bytes.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "dxf.hpp"

namespace tracemill {

// Passes bytes on to another sink from a thread of its own, in the order they
// were written, in chunks of a block buffer's size; a few chunks at most are
// in flight, so memory stays bounded however much passes through. A block
// buffer's blocks are taken over as they are, without a copy. Without a
// thread (the system refused one) bytes go straight to the sink.
class WriterThread final : public ByteSink {
public:
    static constexpr std::size_t kChunkSize = BlockBuffer::kCapacity;
    static constexpr std::size_t kChunks = 8;

    explicit WriterThread(ByteSink& out);
    ~WriterThread() override;  // finish()
    WriterThread(const WriterThread&) = delete;
    WriterThread& operator=(const WriterThread&) = delete;

    void write(std::string_view bytes) override;
    void write_block(std::unique_ptr<char[]>& block, std::size_t size) override;
    // Passes on what is left and ends the thread: afterwards every byte
    // written has reached the sink, and later writes go straight to it. An
    // exception the sink threw on the thread is thrown here.
    void finish();

private:
    struct Chunk {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
    };
    Chunk queue(Chunk chunk, std::unique_lock<std::mutex>& lock);
    void hand_over();
    void run();

    ByteSink& out_;
    Chunk current_;  // being filled
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Chunk> full_;    // waiting for the thread, oldest first
    std::vector<Chunk> empty_;  // ready for filling
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace tracemill
