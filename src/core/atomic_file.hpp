// Replacing a file safely: the new content goes to a temporary file beside
// the target, which is renamed over the target only when it is complete, so a
// failure at any point leaves the previous file exactly as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dxf.hpp"

namespace tracemill {

class AtomicFileWriter final : public ByteSink {
public:
    // Creates the temporary file in the target's folder; check ok().
    explicit AtomicFileWriter(std::string target);
    ~AtomicFileWriter() override;  // discards unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Writes everything (looping on short writes); the first failure is kept
    // and later writes are ignored.
    void write(std::string_view bytes) override;

    // Flushes to disk, closes and renames over the target. False on failure,
    // with error() describing it; the temporary file is then removed.
    bool commit() { return finish() && publish(); }
    // The two halves of commit(), so that several files can be made complete
    // on disk before any of their targets is replaced. finish() flushes to
    // disk and closes, and fails if the target is a folder; publish() renames
    // over the target (after finish()).
    // On failure the temporary file is removed.
    bool finish();
    bool publish();
    // Removes the temporary file; the target is untouched.
    void discard();

    bool ok() const { return error_.empty(); }
    // The system's description of the first failure, at most 255 bytes.
    const std::string& error() const { return error_; }

private:
    void fail(int err);
    void start_writeback();
    std::string target_;
    std::string temp_path_;
    int fd_ = -1;
    int temp_slot_ = -1;  // its entry among the files removed on termination
    bool finished_ = false;
    std::uint64_t written_ = 0;         // bytes written so far
    std::uint64_t writeback_from_ = 0;  // where the disk writes not yet started begin
    std::string error_;
};

// For tests: the call that flushes a file to disk before it replaces its
// target (fsync, which nullptr restores), so a failing disk can be simulated.
using SyncFunction = int (*)(int fd);
void set_sync_function_for_testing(SyncFunction f);

// Writes a whole text to a file atomically; returns the error description, or
// an empty string on success.
std::string write_file_atomically(const std::string& path, std::string_view text);

// True when anything exists at path: a file, a folder, or a symbolic link,
// whether or not the link points anywhere (replacing a dangling link would
// silently turn it into a plain file).
bool path_exists(const std::string& path);

// True when two paths name the same file: equal once made absolute, with
// "." and ".." and the symbolic links of their existing parts resolved, or,
// where both exist, the same device and inode (hard links). Two outputs of
// one run must never name the same file: the later would replace the
// earlier while the run reports success.
bool same_file(const std::string& a, const std::string& b);

// When the process is ended by SIGTERM, SIGINT or SIGHUP, removes the
// temporary files of the writers still open and then ends it by the same
// signal, so that no half-written hidden file stays behind and every target
// keeps its previous content. A signal that is ignored (as under nohup)
// stays ignored. Call once, early in main. SIGKILL cannot be caught: it
// leaves the temporary files (".tracemill-<pid>-<n>.tmp" beside their
// targets), and the targets themselves untouched.
void remove_temporaries_on_termination();

// True when an existing file at path could be replaced by this writer: it is
// not a directory, the file itself is writable (a file marked read-only is
// kept), and its folder accepts the temporary file and the rename.
bool can_replace(const std::string& path);

}  // namespace tracemill
