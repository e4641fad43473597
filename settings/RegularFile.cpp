// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/RegularFile.h"

#include <QFile>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <io.h>
#include <system_error>
#endif

namespace tessivo {

#ifdef Q_OS_UNIX

namespace {

ReadStatus statusOfOpenError(int error)
{
    return (error == ENOENT || error == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
}

/// Opens `nativePath` for reading when it is a regular file. The name is looked at
/// before it is opened (a device is never opened at all), and the opened file again
/// (it may have been replaced in between); opening does not wait for a pipe's writer.
int openRegular(const char *nativePath, ReadStatus &status, qint64 &size)
{
    struct stat info {};
    if (::stat(nativePath, &info) != 0) {
        status = statusOfOpenError(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        status = ReadStatus::NotRegular;
        return -1;
    }
    const int fd = ::open(nativePath, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        status = statusOfOpenError(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        status = S_ISREG(info.st_mode) ? ReadStatus::Unreadable : ReadStatus::NotRegular;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    status = ReadStatus::Read;
    size = qint64(info.st_size);
    return fd;
}

qint64 readFully(int fd, qint64 offset, char *into, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, into + done, size_t(count - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void closeHandle(int fd)
{
    ::close(fd);
}

} // namespace

#else

namespace {

int openRegular(const char *nativePath, ReadStatus &status, qint64 &size)
{
    std::error_code error;
    const std::filesystem::path path(nativePath);
    if (!std::filesystem::exists(path, error)) {
        status = ReadStatus::Missing;
        return -1;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        status = ReadStatus::NotRegular;
        return -1;
    }
    size = qint64(std::filesystem::file_size(path, error));
    const int fd = ::_open(nativePath, _O_RDONLY | _O_BINARY);
    status = fd < 0 ? ReadStatus::Unreadable : ReadStatus::Read;
    return fd;
}

qint64 readFully(int fd, qint64 offset, char *into, qint64 count)
{
    if (::_lseeki64(fd, offset, SEEK_SET) < 0)
        return -1;
    qint64 done = 0;
    while (done < count) {
        const int got = ::_read(fd, into + done, unsigned(std::min<qint64>(count - done, 1 << 30)));
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void closeHandle(int fd)
{
    ::_close(fd);
}

} // namespace

#endif

namespace {

FileBytes readNative(const char *nativePath, qint64 longest)
{
    FileBytes result;
    qint64 size = 0;
    const int fd = openRegular(nativePath, result.status, size);
    if (fd < 0)
        return result;
    const qint64 wanted = std::clamp<qint64>(size, 0, std::max<qint64>(longest, 0));
    result.bytes.resize(qsizetype(wanted));
    const qint64 got = readFully(fd, 0, result.bytes.data(), wanted);
    closeHandle(fd);
    if (got < 0) {
        result.status = ReadStatus::Unreadable;
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(qsizetype(got));
    result.cut = size > wanted;
    return result;
}

} // namespace

FileBytes readRegularFile(const QString &path, qint64 longest)
{
    return readNative(QFile::encodeName(path).constData(), longest);
}

FileBytes readRegularFile(const std::filesystem::path &path, qint64 longest)
{
    return readNative(path.string().c_str(), longest);
}

ReadOnlyFile::~ReadOnlyFile()
{
    close();
}

void ReadOnlyFile::close()
{
    if (handle_ >= 0)
        closeHandle(handle_);
    handle_ = -1;
    size_ = 0;
}

ReadStatus ReadOnlyFile::open(const std::filesystem::path &path)
{
    close();
    ReadStatus status = ReadStatus::Missing;
    handle_ = openRegular(path.string().c_str(), status, size_);
    return status;
}

qint64 ReadOnlyFile::readAt(qint64 offset, char *into, qint64 count) const
{
    if (handle_ < 0 || offset < 0 || count < 0)
        return -1;
    return readFully(handle_, offset, into, count);
}

} // namespace tessivo
