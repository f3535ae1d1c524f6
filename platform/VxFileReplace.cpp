#include "platform/VxFileReplace.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The paths of the temporary files being written, for the signal handler.
// A slot is claimed, filled and then armed; the handler reads armed slots
// only, with nothing but lock-free atomics and unlink(), both safe in a
// handler.  Four replacements at once are more than any caller makes; a
// fifth goes unregistered and is left to the next sweep.
enum TSlotState : int { Free, Filling, Armed };
struct TSlot {
    std::atomic<int> State;
    std::array<char, PATH_MAX> Path;
};
static_assert(std::atomic<int>::is_always_lock_free);
std::array<TSlot, 4> Slots;

void RemoveTemporaryFilesAndEnd(int signal) {
    for (TSlot& slot : Slots)
        if (slot.State.load() == Armed)
            ::unlink(slot.Path.data());
    // The handler was installed with SA_RESETHAND and the signal is blocked
    // while it runs: it ends the process the moment the handler returns.
    ::raise(signal);
}

// One registered temporary file, for as long as it lives.
class TSignalSlot {
public:
    TSignalSlot() = default;
    TSignalSlot(const TSignalSlot&) = delete;
    TSignalSlot& operator=(const TSignalSlot&) = delete;
    ~TSignalSlot() { Disarm(); }

    void Arm(const std::string& path) {
        Disarm();
        if (path.size() >= PATH_MAX)
            return;
        for (TSlot& slot : Slots) {
            int expected = Free;
            if (!slot.State.compare_exchange_strong(expected, Filling))
                continue;
            std::memcpy(slot.Path.data(), path.c_str(), path.size() + 1);
            slot.State.store(Armed);
            FSlot = &slot;
            return;
        }
    }

    void Disarm() {
        if (FSlot)
            std::exchange(FSlot, nullptr)->State.store(Free);
    }

private:
    TSlot* FSlot = nullptr;
};

// The longest chain of symbolic links followed, as the kernel's own limit.
constexpr int MaxLinkHops = 40;

// The file a replacement of `path` writes: the end of its chain of symbolic
// links, whether a file is there or not.
fs::path FinalTarget(const std::string& path) {
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        if (hops == MaxLinkHops)
            throw EVxFileError(std::error_code(ELOOP, std::generic_category()), path);
        std::error_code error;
        const fs::path link = fs::read_symlink(target, error);
        if (error)
            throw EVxFileError(error, path);
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

// The status of the file at `target`, or nothing when none is there yet.
// Throws when something is there that may not be replaced.
std::optional<struct stat> CheckTarget(const fs::path& target, const std::string& path) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        VxThrowErrno(path);
    }
    if (const std::error_code kind = VxNonFileKindOf(info.st_mode))
        throw EVxFileError(kind, path);
    const bool denied =
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
    if (denied || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw EVxFileError(TVxFileRefusal::IsReadOnly, path);
    return info;
}

// The mark of this program's temporary files, between the name of the
// file replaced and the pid: ".<file>.ridolt-tmp-<pid>-<n>".
constexpr std::string_view TemporaryMark = ".ridolt-tmp-";

std::string TemporaryName(const fs::path& target, pid_t pid, int attempt) {
    const std::string name = "." + target.filename().string() + std::string(TemporaryMark) +
                             std::to_string(pid) + "-" + std::to_string(attempt);
    return (target.parent_path() / name).string();
}

// A whole decimal number of `text`, without sign or anything after it.
template <typename T> std::optional<T> Digits(std::string_view text) {
    T value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The process that made `name` when it is the name of a temporary file of
// a replacement of the file named `file` in the same folder.
std::optional<pid_t> TemporaryFileOwner(std::string_view name, std::string_view file) {
    const std::string prefix = "." + std::string(file) + std::string(TemporaryMark);
    if (!name.starts_with(prefix))
        return std::nullopt;
    const std::string_view rest = name.substr(prefix.size());
    const size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !Digits<unsigned>(rest.substr(dash + 1)))
        return std::nullopt;
    const std::optional<pid_t> pid = Digits<pid_t>(rest.substr(0, dash));
    if (!pid || *pid <= 0)
        return std::nullopt;
    return pid;
}

// Removes the temporary files of replacements of `target` whose process
// no longer runs (a process of another user still counts as running).
void SweepLeftovers(const fs::path& target) {
    const std::string file = target.filename().string();
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::optional<pid_t> owner =
            TemporaryFileOwner(entry->path().filename().string(), file);
        if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH)
            ::unlink(entry->path().c_str());
    }
}

// A file written beside `target` under a name of its own and renamed over
// it only once its bytes are on the disk.  It is created exclusively, so a
// stale file or a link of that name is never written through; an
// uncommitted file is removed.
class TTemporaryFile {
public:
    // `path` is the name the caller gave, for the messages.
    TTemporaryFile(fs::path target, const std::string& path)
        : FTarget(std::move(target)), FName(path) {
        for (int attempt = 0; FDescriptor < 0; ++attempt) {
            FPath = TemporaryName(FTarget, ::getpid(), attempt);
            // Registered first: a signal never misses a file that exists.
            FSlot.Arm(FPath);
            FDescriptor = ::open(FPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (FDescriptor < 0 && (errno != EEXIST || attempt >= 99))
                VxThrowErrno(FName);
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (FDescriptor >= 0)
            ::close(FDescriptor);
        if (!FCommitted)
            ::unlink(FPath.c_str());
    }

    void Write(std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(FDescriptor, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written == 0)
                errno = EIO; // nothing written and no reason given
            if (written <= 0)
                VxThrowErrno(FName);
            bytes = bytes.subspan(static_cast<size_t>(written));
        }
    }

    // Gives the new file the owner and permission bits of the file it
    // replaces.  As far as the caller may: a file system without them, or
    // another user's file saved by its owner's group, keeps the defaults.
    void TakeAttributes(const struct stat& old) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)::fchown(FDescriptor, old.st_uid, old.st_gid);
        (void)::fchmod(FDescriptor, old.st_mode & 07777);
    }

    // Puts the bytes on the disk.
    void Flush() {
        if (::fsync(FDescriptor) != 0)
            VxThrowErrno(FName);
        const int descriptor = std::exchange(FDescriptor, -1);
        if (::close(descriptor) != 0)
            VxThrowErrno(FName);
    }

    // Renames the flushed file over its target.
    void Commit() {
        if (::rename(FPath.c_str(), FTarget.c_str()) != 0)
            VxThrowErrno(FName);
        FCommitted = true;
        FSlot.Disarm();
        SyncFolder();
    }

private:
    // Makes the rename itself durable; the replacement has succeeded either way.
    void SyncFolder() const {
        const int descriptor =
            ::open(FTarget.has_parent_path() ? FTarget.parent_path().c_str() : ".",
                   O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor >= 0) {
            ::fsync(descriptor);
            ::close(descriptor);
        }
    }

    // Destroyed last: the file is removed before its slot is given up.
    TSignalSlot FSlot;
    fs::path FTarget;
    std::string FName;
    std::string FPath;
    int FDescriptor = -1;
    bool FCommitted = false;
};

} // namespace

void VxReplaceFiles(std::span<const TVxFileContent> files) {
    std::vector<std::unique_ptr<TTemporaryFile>> temporaries;
    for (const TVxFileContent& file : files) {
        if (file.Path.empty())
            throw EVxFileError(std::error_code(ENOENT, std::generic_category()), file.Path);
        const fs::path target = FinalTarget(file.Path);
        const std::optional<struct stat> old = CheckTarget(target, file.Path);
        SweepLeftovers(target);
        temporaries.push_back(std::make_unique<TTemporaryFile>(target, file.Path));
        if (old)
            temporaries.back()->TakeAttributes(*old);
        temporaries.back()->Write(file.Bytes);
        temporaries.back()->Flush();
    }
    for (auto temporary = temporaries.rbegin(); temporary != temporaries.rend(); ++temporary)
        (*temporary)->Commit();
}

void VxReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
    const TVxFileContent file{path, bytes};
    VxReplaceFiles({&file, 1});
}

void VxRemoveTemporaryFilesOnSignals() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryFilesAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int other : {SIGTERM, SIGINT, SIGHUP})
            sigaddset(&action.sa_mask, other);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
}
