#include "careful_save.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <optional>
#include <random>
#include <string>

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// As many links in a row as the kernel follows.
constexpr int MAX_LINK_HOPS = 40;

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The kernel's protected-symlinks rule: in a sticky folder that everyone may
// write to, a link is followed only when it belongs to the folder's owner or
// to the one who follows it. Otherwise another user could plant a link there
// that makes the save overwrite a file of the saver's.
bool MayFollow(const struct stat& link, const std::string& folder)
{
    struct stat status;
    if (stat(folder.c_str(), &status) != 0)
        return false;
    const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == status.st_uid || link.st_uid == geteuid();
}

// The name of the file that fileName stands for: links followed one by one,
// so that a link to a file not yet there gives the name to create.
std::optional<std::string> FileBehindLinks(std::string path)
{
    for (int hop = 0; hop <= MAX_LINK_HOPS; ++hop)
    {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0)
            return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        if (!S_ISLNK(status.st_mode))
            return path;
        const std::string folder = FolderOf(path);
        if (!MayFollow(status, folder))
            return std::nullopt;
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) == sizeof target)
            return std::nullopt;
        const std::string named(target, static_cast<std::size_t>(length));
        path = named[0] == '/' ? named : folder + "/" + named;
    }
    return std::nullopt;
}

// SIGXFSZ is blocked while the file is written, so that a write above the
// file size limit fails with EFBIG instead of ending the program; a signal
// raised meanwhile is taken away before the old mask comes back.
class FileSizeSignalHeld
{
public:
    FileSizeSignalHeld()
    {
        sigemptyset(&m_signal);
        sigaddset(&m_signal, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_signal, &m_previous);
    }
    ~FileSizeSignalHeld()
    {
        sigset_t pending;
        if (!sigismember(&m_previous, SIGXFSZ) && sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ))
        {
            const timespec noWait{};
            sigtimedwait(&m_signal, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
    sigset_t m_signal;
    sigset_t m_previous;
};

bool WithinFileSizeLimit(std::size_t size)
{
    struct rlimit limit;
    return getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || size <= limit.rlim_cur;
}

// Makes the disk give the room for size bytes now, so that the writing
// cannot run out of it half-way.
bool Reserve(int fd, std::size_t size)
{
    return size == 0 || posix_fallocate(fd, 0, static_cast<off_t>(size)) == 0;
}

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t written = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

// A name beside path for a temporary file: path and six random letters.
std::string RandomNameBeside(const std::string& path)
{
    static const char LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::minstd_rand generator(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof LETTERS - 2);
    std::string name = path + ".";
    for (int i = 0; i < 6; ++i)
        name += LETTERS[pick(generator)];
    return name;
}

// The new text before it takes the file's place. Where the file system
// allows, it has no name until it is whole (O_TMPFILE), so that a save killed
// part-way leaves nothing behind; elsewhere it is a named file beside the old
// one, removed again unless it took the old one's place.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::string& target) : m_target(target)
    {
        m_fd = open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0 && access(ProcName().c_str(), F_OK) != 0)
        {
            // Without /proc the unnamed file could never be given its name.
            close(m_fd);
            m_fd = -1;
            errno = EOPNOTSUPP;
        }
        if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        {
            m_name = target + ".XXXXXX";
            m_fd = mkostemp(m_name.data(), O_CLOEXEC);
            if (m_fd < 0)
                m_name.clear();
        }
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_name.empty())
            unlink(m_name.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return m_fd; }

    // Gives the whole file the target's name: a file there is replaced only
    // when replace is true, otherwise it makes the save fail.
    bool TakeThePlace(bool replace)
    {
        if (m_name.empty())
        {
            if (!replace)
                return LinkUnnamed(m_target);
            // rename() cannot take an unnamed file: it gets a name for the
            // moment between the two calls.
            if (!NameUnnamed())
                return false;
        }
        if (!replace)
            return link(m_name.c_str(), m_target.c_str()) == 0;
        if (rename(m_name.c_str(), m_target.c_str()) != 0)
            return false;
        m_name.clear();
        return true;
    }

private:
    std::string ProcName() const { return "/proc/self/fd/" + std::to_string(m_fd); }

    bool LinkUnnamed(const std::string& name) const
    {
        return linkat(AT_FDCWD, ProcName().c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    bool NameUnnamed()
    {
        constexpr int ATTEMPTS = 100;
        for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
        {
            std::string name = RandomNameBeside(m_target);
            if (LinkUnnamed(name))
            {
                m_name = std::move(name);
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    std::string m_target;
    std::string m_name;
    int m_fd;
};

// The mode a file gets when it is created, as an ordinary open would make it.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool MayBeRewritten(const std::string& path, const struct stat& status)
{
    return S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The whole new text in a new file, which then takes the name target; old is
// the file that has that name now, or null for none. The new file gets the
// old one's owner, group and mode, or fails.
bool ReplaceByRename(const std::string& target, std::string_view bytes, const struct stat* old)
{
    TemporaryFile temporary(target);
    const int fd = temporary.Fd();
    if (fd < 0)
        return false;
    // The owner first: changing it clears set-id bits that the mode gives back.
    if (old != nullptr && fchown(fd, old->st_uid, old->st_gid) != 0)
        return false;
    const mode_t mode = old != nullptr ? old->st_mode & 07777 : NewFileMode();
    if (fchmod(fd, mode) != 0 || !Reserve(fd, bytes.size()) || !WriteAll(fd, bytes) || fsync(fd) != 0)
        return false;
    if (!temporary.TakeThePlace(old != nullptr))
        return false;
    // The file is replaced already; a folder that cannot be synced only
    // makes the new name less durable.
    SyncFolder(FolderOf(target));
    return true;
}

// The new text over the old one in the same file. The room is reserved first,
// so that the text does not stop half-way for want of it; the old text beyond
// the new one goes only once the new one is on the disk.
bool RewriteInPlace(const std::string& target, std::string_view bytes, const struct stat& old)
{
    if (!WithinFileSizeLimit(bytes.size()))
        return false;
    const int fd = open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened;
    bool written = fstat(fd, &opened) == 0 && opened.st_dev == old.st_dev && opened.st_ino == old.st_ino;
    if (written && !Reserve(fd, bytes.size()))
    {
        // A reservation that failed part-way may have lengthened the file;
        // if even shortening fails, what is beyond the old end is not text.
        written = false;
        [[maybe_unused]] const bool restored = ftruncate(fd, opened.st_size) == 0;
    }
    written = written && WriteAll(fd, bytes) && fsync(fd) == 0 &&
              ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && written;
}

}  // namespace

bool SaveCarefully(const char* fileName, std::string_view bytes)
{
    const FileSizeSignalHeld signalHeld;
    const std::optional<std::string> target = FileBehindLinks(fileName);
    if (!target)
        return false;
    struct stat old;
    if (lstat(target->c_str(), &old) != 0)
        return errno == ENOENT && ReplaceByRename(*target, bytes, nullptr);
    if (!MayBeRewritten(*target, old))
        return false;
    // A rename would leave the file's other links with the old text; where it
    // cannot keep the owner, the folder forbids it or the disk lacks room for
    // a second copy, the file is rewritten in place.
    if (old.st_nlink == 1 && ReplaceByRename(*target, bytes, &old))
        return true;
    return RewriteInPlace(*target, bytes, old);
}
