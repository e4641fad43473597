// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The installed font families that the font lists offer: one shared list, built when
// the first list is made and released with the last.

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessivo {

namespace fonttype {
constexpr int kRaster = 0x1, kDevice = 0x2, kTrueType = 0x4;  // the enumeration's bits
constexpr int kAll = kRaster | kDevice | kTrueType;
}
namespace charset {
constexpr uint8_t kAnsi = 0, kDefault = 1, kSymbol = 2, kMac = 77, kShiftJis = 128,
                  kHangul = 129, kGb2312 = 134, kBig5 = 136;
}
namespace pitch {
constexpr uint8_t kFixed = 1, kVariable = 2;
}

/// One installed font family.
struct CFontInfo {
    QString name;
    QString script;
    uint8_t charSet = charset::kAnsi;
    uint8_t pitchAndFamily = 0;
    int fontType = 0;

    /// The text the list orders by: the name, and the script in brackets when known.
    QString displayText() const;
};

/// A font as the enumeration reports it.
using FontReport = CFontInfo;

/// Builds the list from reported fonts: Mac character sets, fonts that the
/// pitch-and-family filter rejects, repeated names and vertical "@" faces are skipped;
/// the rest is kept ordered by display text (case-sensitive, by code units).
std::vector<CFontInfo> buildFontList(const std::vector<FontReport> &reports, uint8_t pitchAndFamilyFilter);

/// What the platform's font database reports, one entry per family.
std::vector<FontReport> installedFonts();

/// The shared list; the first call builds it, and it lives while any holder keeps it.
std::shared_ptr<const std::vector<CFontInfo>> acquireFontList();

} // namespace tessivo
