#pragma once
// A display that is plugged in but cannot be opened must not look like no display: the
// USB devices in sysfs are matched against the three display identities and their
// device nodes checked for read and write access.

#include <QString>

namespace tessivo {

/// A text for the user when a display is present but its device nodes are not
/// accessible; empty when there is none. The roots are parameters for the tests.
QString inaccessibleDisplay(const QString &sysfsRoot = QStringLiteral("/sys"),
                            const QString &devRoot = QStringLiteral("/dev"));

} // namespace tessivo
