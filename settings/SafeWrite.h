#pragma once
// Files the program rewrites (the settings file, projects) are never left half-written:
// the bytes go to a temporary file beside the target, which replaces the target only
// once everything was written.

#include <QByteArray>
#include <QString>

namespace tessivo {

/// Writes `bytes` to `path` in one atomic replace; false on any failure, leaving an
/// existing file untouched.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace tessivo
