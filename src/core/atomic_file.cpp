#include "atomic_file.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tracemill {

namespace {

constexpr std::size_t kMaxErrorLength = 255;

// Cuts a UTF-8 text to at most n bytes without splitting a character.
std::string truncate_utf8(std::string s, std::size_t n) {
    if (s.size() <= n) return s;
    std::size_t end = n;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    s.resize(end);
    return s;
}

// Writes into the file a symbolic link points at, not over the link itself.
std::string resolve_target(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::atomic<unsigned> temp_counter{0};

std::atomic<SyncFunction> sync_function{nullptr};

int sync_to_disk(int fd) {
    const SyncFunction f = sync_function.load();
    return f != nullptr ? f(fd) : fsync(fd);
}

// The temporary files of the open writers, for the termination handler. It
// may run at any moment on any thread, so the table is fixed in size and
// each slot is claimed and released through one atomic state: the handler
// reads a path only while its slot is Ready, and a writer changes a path only
// while it holds the slot Claimed.
enum SlotState : int { Free, Claimed, Ready };
struct TempSlot {
    std::atomic<int> state{Free};
    char path[PATH_MAX] = {};
};
constexpr int kTempSlots = 32;
TempSlot temp_slots[kTempSlots];

// The slot holding path, or -1 when the table is full or the path too long
// (such a file is then not removed on termination).
int register_temporary(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int k = 0; k < kTempSlots; ++k) {
        int expected = Free;
        if (temp_slots[k].state.compare_exchange_strong(expected, Claimed)) {
            std::memcpy(temp_slots[k].path, path.c_str(), path.size() + 1);
            temp_slots[k].state.store(Ready);
            return k;
        }
    }
    return -1;
}

void release_temporary(int slot) {
    if (slot >= 0) temp_slots[slot].state.store(Free);
}

// Only async-signal-safe calls: unlink, sigaction's reset (SA_RESETHAND) and
// raise.
extern "C" void remove_temporaries_and_end(int signal_number) {
    for (auto& slot : temp_slots) {
        if (slot.state.load() == Ready) (void)::unlink(slot.path);
    }
    (void)::raise(signal_number);
}

}  // namespace

void remove_temporaries_on_termination() {
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction old {};
        if (sigaction(s, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction act {};
        act.sa_handler = remove_temporaries_and_end;
        sigemptyset(&act.sa_mask);
        // Reset to the default on entry and do not block the signal, so that
        // raising it again ends the process with that signal's status.
        act.sa_flags = SA_RESETHAND | SA_NODEFER;
        (void)sigaction(s, &act, nullptr);
    }
}

bool path_exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool same_file(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ea, eb;
    const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
    const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
    if (!ea && !eb && pa == pb) return true;
    struct stat sa {}, sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool can_replace(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return false;
    // A dangling link is replaced by the file itself; an existing target
    // must not be a folder and must be writable.
    const bool dangling = S_ISLNK(st.st_mode) && stat(path.c_str(), &st) != 0;
    if (!dangling && (S_ISDIR(st.st_mode) || access(path.c_str(), W_OK) != 0)) return false;
    const std::string target = resolve_target(path);
    const auto slash = target.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : target.substr(0, slash));
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(resolve_target(target)) {
    // The new file gets the old one's permissions; a new name gets the usual
    // 0666 less the umask, as a plain create would.
    struct stat st {};
    const bool found = stat(target_.c_str(), &st) == 0;
    // A folder of the target's name can never be replaced: refused before
    // anything is written, here or to a stream beside this file.
    if (found && S_ISDIR(st.st_mode)) {
        fail(EISDIR);
        return;
    }
    const bool replacing = found && S_ISREG(st.st_mode);
    // A short hidden name in the target's folder (same file system, so the
    // rename is atomic; short, so a long target name still fits).
    const auto slash = target_.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_path_ = folder + ".tracemill-" + std::to_string(getpid()) + "-" +
                     std::to_string(temp_counter.fetch_add(1)) + ".tmp";
        fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        const int err = errno;
        temp_path_.clear();
        fail(err);
        return;
    }
    temp_slot_ = register_temporary(temp_path_);
    if (replacing) (void)fchmod(fd_, st.st_mode & 07777);
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::fail(int err) {
    if (!error_.empty()) return;
    std::string msg = target_ + ": " + std::strerror(err);
    error_ = truncate_utf8(std::move(msg), kMaxErrorLength);
}

void AtomicFileWriter::write(std::string_view bytes) {
    if (fd_ < 0 || !error_.empty()) return;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
            return;
        }
        if (n == 0) {
            fail(EIO);
            return;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    written_ += bytes.size();
    start_writeback();
}

// The final fsync would otherwise find the whole file still in memory and
// wait for all of it: pass every finished stretch on to the disk right away
// (without waiting for it), so that writing to disk proceeds alongside the
// generation and finish() waits for little more than the last stretch. A
// hint only; finish() flushes and reports errors as before.
void AtomicFileWriter::start_writeback() {
#ifdef __linux__
    constexpr std::uint64_t kStretch = std::uint64_t{8} << 20;
    if (written_ - writeback_from_ < kStretch) return;
    (void)sync_file_range(fd_, static_cast<off_t>(writeback_from_),
                          static_cast<off_t>(written_ - writeback_from_), SYNC_FILE_RANGE_WRITE);
    writeback_from_ = written_;
#endif
}

void set_sync_function_for_testing(SyncFunction f) { sync_function.store(f); }

bool AtomicFileWriter::finish() {
    if (fd_ < 0 || !error_.empty()) {
        discard();
        return false;
    }
    if (sync_to_disk(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && error_.empty()) fail(errno);
    // A folder of the target's name would refuse the rename; find that out
    // now, while no target has been replaced.
    struct stat st {};
    if (error_.empty() && stat(target_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) fail(EISDIR);
    if (!error_.empty()) {
        discard();
        return false;
    }
    finished_ = true;
    return true;
}

bool AtomicFileWriter::publish() {
    if (!finished_ || !error_.empty()) {
        discard();
        return false;
    }
    if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) fail(errno);
    if (!error_.empty()) {
        discard();
        return false;
    }
    temp_path_.clear();
    release_temporary(temp_slot_);
    temp_slot_ = -1;
    return true;
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) {
        (void)::close(fd_);
        fd_ = -1;
    }
    if (!temp_path_.empty()) {
        (void)::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
    release_temporary(temp_slot_);
    temp_slot_ = -1;
}

std::string write_file_atomically(const std::string& path, std::string_view text) {
    AtomicFileWriter file(path);
    file.write(text);
    if (!file.commit()) return file.error();
    return {};
}

}  // namespace tracemill
