// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading the files a user can hand the program (projects, the settings file, glyph
// files): only regular files are opened for reading, so a named pipe, a socket, a device
// or a folder is refused at once instead of blocking the window in open() or read().

#include <QByteArray>
#include <QString>
#include <filesystem>

namespace tessivo {

enum class ReadStatus {
    Read,        ///< the bytes were read
    Missing,     ///< nothing by that name
    NotRegular,  ///< a pipe, socket, device or folder
    Unreadable,  ///< there, but open or read failed (permissions, I/O error)
};

struct FileBytes {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    bool cut = false;  ///< the file holds more than the reader asked for
};

/// Reads at most `longest` bytes of a regular file, never asking for more than it holds.
FileBytes readRegularFile(const QString &path, qint64 longest);
FileBytes readRegularFile(const std::filesystem::path &path, qint64 longest);

/// A regular file opened for reading at given offsets (a glyph library read one glyph
/// at a time). Not copyable; closes itself.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    ReadStatus open(const std::filesystem::path &path);
    bool isOpen() const { return handle_ >= 0; }
    qint64 size() const { return size_; }
    /// Reads up to `count` bytes at `offset`; the number read, or -1 on an error.
    qint64 readAt(qint64 offset, char *into, qint64 count) const;

private:
    void close();
    int handle_ = -1;
    qint64 size_ = 0;
};

} // namespace tessivo
