// The second thread a drawing's bytes pass through on their way to the file.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "writer_thread.hpp"

namespace tracemill {
namespace {

// Remembers every write, to check sizes and order.
class RecordingSink final : public ByteSink {
public:
    void write(std::string_view bytes) override {
        text.append(bytes);
        ++writes;
    }
    std::string text;
    int writes = 0;
};

std::string numbered_text(std::size_t at_least) {
    std::string s;
    for (std::size_t i = 0; s.size() < at_least; ++i) s += std::to_string(i) + ',';
    return s;
}

TEST(WriterThreadTest, BytesArriveWholeAndInOrderAcrossChunks) {
    // Pieces of every size, from one byte to several chunks, so that the
    // writer waits for free chunks and pieces straddle chunk boundaries.
    const std::string text = numbered_text(WriterThread::kChunkSize * (WriterThread::kChunks * 3) + 12345);
    RecordingSink sink;
    {
        WriterThread thread(sink);
        std::size_t at = 0;
        for (std::size_t n = 1; at < text.size(); at += n, n = (n * 7 + 3) % (3 * WriterThread::kChunkSize))
            thread.write(std::string_view(text).substr(at, n));
        thread.finish();
        EXPECT_TRUE(sink.text == text) << sink.text.size() << " bytes of " << text.size();
        // After finish() the sink is written directly.
        thread.write("tail");
        EXPECT_TRUE(sink.text.ends_with("tail"));
    }
    EXPECT_LE(sink.writes, static_cast<int>(text.size() / WriterThread::kChunkSize) + 2);
}

TEST(WriterThreadTest, BlocksAreTakenOverInOrderWithCopiedBytes) {
    RecordingSink sink;
    std::string expected;
    {
        WriterThread thread(sink);
        // Many more blocks than chunks, so that blocks come back for reuse;
        // each is filled to the full capacity it is promised to have.
        auto block = std::make_unique<char[]>(BlockBuffer::kCapacity);
        for (int i = 0; i < static_cast<int>(WriterThread::kChunks) * 5; ++i) {
            const std::string piece = "copied " + std::to_string(i) + ";";
            thread.write(piece);
            expected += piece;
            const std::size_t size = i % 3 == 0 ? BlockBuffer::kCapacity : static_cast<std::size_t>(i) * 97;
            for (std::size_t k = 0; k < size; ++k) block[k] = static_cast<char>('a' + (i + k) % 26);
            expected.append(block.get(), size);
            thread.write_block(block, size);
            ASSERT_NE(block, nullptr);
        }
        thread.finish();
    }
    EXPECT_TRUE(sink.text == expected) << sink.text.size() << " bytes of " << expected.size();
}

TEST(WriterThreadTest, TheDestructorPassesOnWhatIsLeft) {
    RecordingSink sink;
    {
        WriterThread thread(sink);
        thread.write("short");
    }
    EXPECT_EQ(sink.text, "short");
}

TEST(WriterThreadTest, AFailureOfTheSinkReachesFinishAndNothingWaitsForever) {
    struct FailingSink final : ByteSink {
        void write(std::string_view) override {
            ++writes;
            throw std::runtime_error("disk gone");
        }
        int writes = 0;
    } sink;
    WriterThread thread(sink);
    const std::string chunk(WriterThread::kChunkSize, 'x');
    for (std::size_t i = 0; i < WriterThread::kChunks * 4; ++i) thread.write(chunk);
    EXPECT_THROW(thread.finish(), std::runtime_error);
    EXPECT_EQ(sink.writes, 1);  // the rest was dropped, not written
}

}  // namespace
}  // namespace tracemill
