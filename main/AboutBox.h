// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The About box: the program's icon, name and version.

class QWidget;

namespace tessivo {

/// Shows the About box modally over `parent`.
void ShowAboutBox(QWidget *parent);

} // namespace tessivo
