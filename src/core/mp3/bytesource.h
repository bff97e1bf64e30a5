#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <utility>

namespace tallowin {

// Random-access reading of untrusted bytes. Every read names its offset and length and fails
// as a whole when the source does not hold all of it, so a parser never reads past the end.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    // Copies `n` bytes at `offset` into `out`; false when they are not all there.
    virtual bool read(qint64 offset, qint64 n, void *out) = 0;

    // The errno of the first failure to open or read the source, 0 while there was none. A
    // read past the end is no such failure.
    virtual int error() const { return 0; }

    // The same into a new array; empty when the bytes are not all there. Checks the size
    // first, so a length read from the file never allocates more than the file holds.
    QByteArray bytes(qint64 offset, qint64 n);
    bool holds(qint64 offset, qint64 n) const {
        return offset >= 0 && n >= 0 && offset <= size() && n <= size() - offset;
    }
};

// Bytes already in memory; holds its own (shared) copy, so a temporary array is safe to pass.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(QByteArray data) : m_data(std::move(data)) {}
    qint64 size() const override { return m_data.size(); }
    bool read(qint64 offset, qint64 n, void *out) override;

private:
    QByteArray m_data;
};

// A regular file, read with pread through a small cache so that the many short reads of a tag
// walk cost one system call. Anything but a regular file (a folder, a FIFO, a device) reads as
// an empty source; opening never blocks. A file that cannot be opened or read (EACCES, ENOENT,
// EIO) keeps its errno in error().
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString &path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource &) = delete;
    FileByteSource &operator=(const FileByteSource &) = delete;

    qint64 size() const override { return m_size; }
    bool read(qint64 offset, qint64 n, void *out) override;
    int error() const override { return m_error; }
    bool isOpen() const { return m_fd >= 0; }

private:
    bool readDirect(qint64 offset, qint64 n, char *out);

    static constexpr qint64 CacheSize = 16 * 1024;
    int m_fd = -1;
    int m_error = 0;
    qint64 m_size = 0;
    qint64 m_cacheOffset = 0;
    qint64 m_cacheLength = 0;
    char m_cache[CacheSize];
};

} // namespace tallowin
