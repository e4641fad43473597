// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace tessivo {

bool isTemporaryNameOf(const QString &fileName, const QString &targetName)
{
    const QString prefix = targetName + QLatin1String(kTemporaryMarker);
    if (fileName.size() != prefix.size() + kTemporarySuffixLength || !fileName.startsWith(prefix))
        return false;
    for (qsizetype k = prefix.size(); k < fileName.size(); ++k) {
        const char16_t c = fileName.at(k).unicode();
        const bool alnum = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!alnum)
            return false;
    }
    return true;
}

namespace {

/// The file a save replaces: the end of a chain of symbolic links, so that saving
/// through a link keeps the link and changes the file it names.
QString resolvedTarget(const QString &path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 32; ++hops)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

/// Removes the temporary files that saves of `target` left behind when they were cut
/// short (a kill between writing and renaming). Only regular files of our own pattern.
void removeLeftoverTemporaries(const QString &target)
{
    const QFileInfo info(target);
    QDir folder = info.dir();
    const QString name = info.fileName();
    const QStringList candidates =
        folder.entryList({name + QLatin1String(kTemporaryMarker) + QStringLiteral("*")},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &candidate : candidates) {
        if (isTemporaryNameOf(candidate, name))
            QFile::remove(folder.filePath(candidate));
    }
}

QString randomSuffix()
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int k = 0; k < kTemporarySuffixLength; ++k)
        suffix += QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet - 1))]);
    return suffix;
}

#ifdef Q_OS_UNIX

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

/// Makes the rename itself durable; a folder that cannot be synced (some network file
/// systems) does not undo a replace that already happened.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool replaceFile(const QString &target, const QByteArray &bytes)
{
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // A pipe, device or folder at the target is never replaced by a file.
    if (exists && !S_ISREG(existing.st_mode))
        return false;

    QByteArray temporaryName;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporaryName = QFile::encodeName(target + QLatin1String(kTemporaryMarker) + randomSuffix());
        // 0666 lets the umask decide a new file's permissions, as for any other file.
        fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = true;
    if (exists)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporaryName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(temporaryName.constData());
        return false;
    }
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

#else

bool replaceFile(const QString &target, const QByteArray &bytes)
{
    QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#endif

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString target = resolvedTarget(path);
    if (!replaceFile(target, bytes))
        return false;
    removeLeftoverTemporaries(target);
    return true;
}

} // namespace tessivo
