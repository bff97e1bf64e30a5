#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace tallowin {

// The file-system calls the core makes: listing a folder, reading and replacing whole files,
// renaming. Each returns 0 or the errno value of its failure and leaves errno alone otherwise.
// The program uses the system's own calls (FileSystem::system()); tests derive from it to make
// a call fail or to change the folder in between. Kept to one virtual call per system call, so
// a listing of a million files pays nothing more than the calls themselves.
class FileSystem {
public:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
    };

    virtual ~FileSystem() = default;

    // The system's own calls; shared, as it holds no state.
    static FileSystem &system();

    // openat(2).
    virtual int open(int dirFd, const char *path, int flags, mode_t mode, int &fd);
    // close(2); a delayed write error (full disk on a network file system) shows here.
    virtual int close(int fd);

    // A folder opened only to name things relative to it (O_PATH).
    virtual int openFolder(const QByteArray &path, int &fd);
    virtual void closeFolder(int fd);

    // Reading a folder's names. openFolderStream takes `fd` over, also when it fails.
    virtual int openFolderStream(int fd, DIR *&dir);
    // The next entry, or 0 with `entry` null at the end.
    virtual int readFolder(DIR *dir, const dirent *&entry);
    virtual void closeFolderStream(DIR *dir);

    // statx(2) of `name` relative to `dirFd`.
    virtual int statx(int dirFd, const char *name, int flags, unsigned mask, struct statx &stx);
    // The file a name stands for, without following a symbolic link; an empty name stands for
    // `dirFd` itself.
    virtual int identify(int dirFd, const char *name, Identity &id);
    // access(2).
    virtual int access(const char *path, int mode);

    // Whole-file reads are for small files (settings, rules); anything larger is refused.
    static constexpr qint64 ReadFileLimit = qint64(64) << 20;

    // The whole content of a regular file: anything else gives EINVAL (EISDIR for a folder),
    // without waiting on a FIFO; more than ReadFileLimit bytes give EFBIG.
    virtual int readFile(const QByteArray &path, QByteArray &bytes);
    // Writes all of `data`, going on after interruptions and short writes.
    virtual int write(int fd, QByteArrayView data);
    // fsync(2).
    virtual int sync(int fd);

    // rename(2): replaces an existing target.
    virtual int rename(const char *from, const char *to);
    // Renames without ever replacing an existing target (renameat2 with RENAME_NOREPLACE).
    virtual int renameNoReplace(int dirFd, const char *from, const char *to);
    virtual int link(int dirFd, const char *from, const char *to);
    virtual int unlink(int dirFd, const char *name);
};

// Replaces the file at `path` by `data` so that a reader finds the old content or the new,
// never a part: the data goes to a new file beside it, is synced, and is renamed over the old
// one. On failure the old file is untouched and the new one removed. 0 or an errno value.
int replaceFile(FileSystem &fs, const QByteArray &path, QByteArrayView data);

} // namespace tallowin
