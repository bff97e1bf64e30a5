#include "mp3/bytesource.h"

#include "shell/filenamecodec.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin {

QByteArray ByteSource::bytes(qint64 offset, qint64 n) {
    if (!holds(offset, n) || n == 0)
        return {};
    QByteArray out(n, Qt::Uninitialized);
    if (!read(offset, n, out.data()))
        return {};
    return out;
}

bool MemoryByteSource::read(qint64 offset, qint64 n, void *out) {
    if (!holds(offset, n))
        return false;
    if (n > 0)
        std::memcpy(out, m_data.constData() + offset, size_t(n));
    return true;
}

FileByteSource::FileByteSource(const QString &path) {
    const QByteArray name = nameToBytes(path);
    if (name.isEmpty()) {
        m_error = ENOENT;
        return;
    }
    // O_NONBLOCK: a FIFO given as a file must not wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = errno;
        ::close(fd);
        return;
    }
    if (!S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = st.st_size;
}

FileByteSource::~FileByteSource() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileByteSource::readDirect(qint64 offset, qint64 n, char *out) {
    while (n > 0) {
        const ssize_t got = ::pread(m_fd, out, size_t(n), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && m_error == 0)
            m_error = errno;
        if (got <= 0)
            return false; // an error, or the file shrank under us
        out += got;
        offset += got;
        n -= got;
    }
    return true;
}

bool FileByteSource::read(qint64 offset, qint64 n, void *out) {
    if (m_fd < 0 || !holds(offset, n))
        return false;
    if (n == 0)
        return true;
    auto *dst = static_cast<char *>(out);
    if (offset >= m_cacheOffset && offset + n <= m_cacheOffset + m_cacheLength) {
        std::memcpy(dst, m_cache + (offset - m_cacheOffset), size_t(n));
        return true;
    }
    if (n > CacheSize)
        return readDirect(offset, n, dst);
    const qint64 fill = qMin(CacheSize, m_size - offset);
    m_cacheLength = 0;
    if (!readDirect(offset, fill, m_cache))
        return false;
    m_cacheOffset = offset;
    m_cacheLength = fill;
    std::memcpy(dst, m_cache, size_t(n));
    return true;
}

} // namespace tallowin
