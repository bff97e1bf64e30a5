#include "shell/filesystem.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace tallowin {

FileSystem &FileSystem::system() {
    static FileSystem posix;
    return posix;
}

int FileSystem::open(int dirFd, const char *path, int flags, mode_t mode, int &fd) {
    do
        fd = ::openat(dirFd, path, flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd < 0 ? errno : 0;
}

int FileSystem::close(int fd) {
    // Linux frees the descriptor even when close reports EINTR: never close it again.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int FileSystem::openFolder(const QByteArray &path, int &fd) {
    fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

void FileSystem::closeFolder(int fd) {
    if (fd >= 0)
        ::close(fd);
}

int FileSystem::openFolderStream(int fd, DIR *&dir) {
    dir = ::fdopendir(fd);
    if (dir)
        return 0;
    const int err = errno;
    ::close(fd);
    return err;
}

int FileSystem::readFolder(DIR *dir, const dirent *&entry) {
    errno = 0;
    entry = ::readdir(dir);
    return entry ? 0 : errno;
}

void FileSystem::closeFolderStream(DIR *dir) {
    if (dir)
        ::closedir(dir);
}

int FileSystem::statx(int dirFd, const char *name, int flags, unsigned mask, struct statx &stx) {
    return ::statx(dirFd, name, flags, mask, &stx) == 0 ? 0 : errno;
}

int FileSystem::identify(int dirFd, const char *name, Identity &id) {
    struct stat st {};
    const int flags = AT_SYMLINK_NOFOLLOW | (name[0] == 0 ? AT_EMPTY_PATH : 0);
    if (::fstatat(dirFd, name, &st, flags) != 0)
        return errno;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    return 0;
}

int FileSystem::access(const char *path, int mode) {
    return ::access(path, mode) == 0 ? 0 : errno;
}

int FileSystem::readFile(const QByteArray &path, QByteArray &bytes) {
    bytes.clear();
    int fd = -1;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused just below.
    if (const int err =
            open(AT_FDCWD, path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0, fd))
        return err;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return err;
    }
    if (st.st_size > ReadFileLimit) {
        ::close(fd);
        return EFBIG;
    }
    if (st.st_size > 0)
        bytes.reserve(qsizetype(st.st_size));
    char buffer[65536];
    for (;;) {
        if (bytes.size() > ReadFileLimit) { // grown since it was looked at
            ::close(fd);
            bytes.clear();
            return EFBIG;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            return err;
        }
        if (n == 0)
            break;
        bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
    return 0;
}

int FileSystem::write(int fd, QByteArrayView data) {
    const char *p = data.data();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= n;
    }
    return 0;
}

int FileSystem::sync(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int FileSystem::rename(const char *from, const char *to) {
    return ::rename(from, to) == 0 ? 0 : errno;
}

int FileSystem::renameNoReplace(int dirFd, const char *from, const char *to) {
    return ::renameat2(dirFd, from, dirFd, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

int FileSystem::link(int dirFd, const char *from, const char *to) {
    // No AT_SYMLINK_FOLLOW: a symbolic link is moved as the link itself.
    return ::linkat(dirFd, from, dirFd, to, 0) == 0 ? 0 : errno;
}

int FileSystem::unlink(int dirFd, const char *name) {
    return ::unlinkat(dirFd, name, 0) == 0 ? 0 : errno;
}

int replaceFile(FileSystem &fs, const QByteArray &path, QByteArrayView data) {
    // A name no other writer picks: this process, and a count for its own writers.
    static std::atomic<unsigned> counter{0};
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".tmp-%ld-%u", long(::getpid()), counter++);
    const QByteArray temp = path + suffix;
    int fd = -1;
    if (const int err =
            fs.open(AT_FDCWD, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666, fd))
        return err;
    int err = fs.write(fd, data);
    if (err == 0)
        err = fs.sync(fd);
    if (const int closed = fs.close(fd); err == 0)
        err = closed;
    if (err == 0)
        err = fs.rename(temp.constData(), path.constData());
    if (err != 0) {
        fs.unlink(AT_FDCWD, temp.constData());
        return err;
    }
    // The rename itself lasts once the folder is synced too; the new file is in place either
    // way, so a folder that cannot be synced is no failure.
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : path.left(slash);
    if (fs.open(AT_FDCWD, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, fd) == 0) {
        fs.sync(fd);
        fs.close(fd);
    }
    return 0;
}

} // namespace tallowin
