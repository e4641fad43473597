// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Files the program rewrites (the settings file, projects) are never left half-written:
// the bytes go to a temporary file beside the target, which replaces the target only
// once every byte was written and synced to the disk.

#include <QByteArray>
#include <QString>

namespace tessivo {

/// Writes `bytes` to `path` in one atomic replace; false on any failure (a short or
/// failed write, a full disk, a failed sync or rename, a target that is not a regular
/// file), leaving an existing file with every byte it had and no temporary file behind.
/// A symbolic link is written through to the file it names. After a successful replace,
/// temporary files that an interrupted save of the same file left beside it are removed.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

/// The temporary files of `target` that writeFileAtomically makes: the target's name,
/// this marker and six letters or digits ("hello.LDAT.tessivo-a8Kq0Z").
inline constexpr char kTemporaryMarker[] = ".tessivo-";
inline constexpr int kTemporarySuffixLength = 6;

/// True when `fileName` is one of our temporary names for the file named `targetName`.
bool isTemporaryNameOf(const QString &fileName, const QString &targetName);

} // namespace tessivo
