#include "support/files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallowin::test {

void makeFiles(const QByteArray &dir, const QList<QByteArray> &names) {
    for (const QByteArray &name : names) {
        const QByteArray path = dir + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        QVERIFY2(fd >= 0, path.constData());
        const bool written = ::write(fd, name.constData(), size_t(name.size())) == name.size();
        ::close(fd);
        QVERIFY2(written, path.constData());
    }
}

void makeFiles(const QString &dir, const QStringList &names) {
    for (const QString &name : names) {
        QFile f(dir + u'/' + name);
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(f.fileName()));
    }
}

QMap<QByteArray, QByteArray> folderState(const QByteArray &dir, bool hashed) {
    QMap<QByteArray, QByteArray> state;
    DIR *d = ::opendir(dir.constData());
    if (!d)
        return state;
    while (const dirent *e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = dir + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
            state.insert(name, "<dir>");
            continue;
        }
        QByteArray bytes;
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        char buf[4096];
        ssize_t n;
        while (fd >= 0 && (n = ::read(fd, buf, sizeof buf)) > 0)
            bytes.append(buf, qsizetype(n));
        if (fd >= 0)
            ::close(fd);
        state.insert(name,
                     hashed ? QCryptographicHash::hash(bytes, QCryptographicHash::Sha1) : bytes);
    }
    ::closedir(d);
    return state;
}

void removeAll(const QByteArray &dir) {
    for (const QByteArray &name : folderState(dir).keys())
        ::unlink((dir + '/' + name).constData());
}

} // namespace tallowin::test
