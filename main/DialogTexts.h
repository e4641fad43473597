// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Texts the main window composes from the language table.

#include "settings/LanguageTable.h"

#include <vector>

namespace tessivo {

struct CutRow;

/// The note beside the rows for an LED type: L1-L3 with every "[b]" a blank line.
QString noteText(const LanguageRecord &language, int ledType);

/// The LED type button's caption: its text up to the first line break, then the LED
/// count of the type, as in "LedType" + "\n(16Led)".
QString ledTypeCaption(const QString &current, int ledCount);

/// The rows a project filled only partly, as in "row 2 (3), row 5 (1)": each row's
/// number and how many of its characters were left out.
QString cutRowsList(const std::vector<CutRow> &cut);

/// A count of bytes grouped the English way, as in "1,234", whatever the language.
QString byteCount(int bytes);

/// The capacity gauge: the bytes the rows take against what a display holds, as in
/// "1,234 / 2,047 bytes".
QString capacityText(int bytes);
/// More bytes than a display takes: the gauge turns red and Send will refuse.
bool overCapacity(int bytes);
QString capacityToolTip(int bytes);

/// A text of the program's own beyond the language table: Chinese for a Chinese
/// language, English for every other.
QString ownText(const LanguageRecord &language, const char *english, const char16_t *chinese);

/// The window's title: the program's caption, after the project's file name when one is
/// open; "[*]" is where Qt shows the unsaved-changes mark.
QString windowTitleFor(const QString &caption, const QString &projectPath);

/// The control whose caption C1-C18 sets, in key order.
constexpr int kCaptionControls[18] = {1028, 1029, 1032, 1030, 1034, 1035, 1040, 1056, 1057,
                                      1059, 1013, 1010, 1011, 1012, 1,    1043, 1058, 1047};

} // namespace tessivo
