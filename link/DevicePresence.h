// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A display that is plugged in but cannot be opened must not look like no display: the
// USB devices in sysfs are matched against the three display identities and their
// device nodes checked for read and write access.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tessivo {

/// A display plugged in, as sysfs lists it: its identity, the link its identity belongs
/// to, and its device nodes (the USB node, then any hidraw nodes).
struct PluggedDisplay {
    int vendor = 0, product = 0;
    uint8_t link = 0;
    QStringList nodes;
    QString inaccessibleNode;  // the first node the user may not read and write, if any
};

/// The displays plugged in now. The roots are parameters for the tests.
std::vector<PluggedDisplay> pluggedDisplays(const QString &sysfsRoot = QStringLiteral("/sys"),
                                            const QString &devRoot = QStringLiteral("/dev"));

/// How a user gets access to a display whose nodes are not accessible: the udev rules,
/// which give it to the user of a desktop session and to the group plugdev.
QString accessHint();

/// A text for the user when a display is present but its device nodes are not
/// accessible; empty when there is none. The roots are parameters for the tests.
QString inaccessibleDisplay(const QString &sysfsRoot = QStringLiteral("/sys"),
                            const QString &devRoot = QStringLiteral("/dev"));

} // namespace tessivo
