// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What screen readers hear of our controls beyond Qt's own answers: a drop-down list
// is named by its accessible name (not by the item it shows, which is its value), and
// a label marked as a gauge gives its text as its value.

class QWidget;

namespace tessivo {

/// Installs the program's accessibility answers, once.
void installAccessibility();

/// Marks a label as a gauge: its accessible name says what it measures, its text is
/// the value screen readers read.
void markAsGauge(QWidget *label);

} // namespace tessivo
