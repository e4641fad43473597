// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/FontList.h"

#include <QFontDatabase>
#include <QList>
#include <QSet>
#include <algorithm>
#include <mutex>

namespace tessivo {

QString CFontInfo::displayText() const
{
    return script.isEmpty() ? name : name + QStringLiteral(" (") + script + QLatin1Char(')');
}

std::vector<CFontInfo> buildFontList(const std::vector<FontReport> &reports, uint8_t pitchAndFamilyFilter)
{
    // The first report of each name, by the text the list shows; of texts that are the
    // same, the later report first. Sorted once: a machine may have many hundreds of
    // families.
    std::vector<std::pair<QString, const FontReport *>> kept;
    QSet<QString> names;
    const int pitchFilter = pitchAndFamilyFilter & 0x0F, familyFilter = pitchAndFamilyFilter & 0xF0;
    for (const FontReport &font : reports) {
        if (font.charSet == charset::kMac)
            continue;
        if (pitchFilter != 0 && pitchFilter != (font.pitchAndFamily & 0x0F))
            continue;
        if (familyFilter != 0 && familyFilter != (font.pitchAndFamily & 0xF0))
            continue;
        if (names.contains(font.name) || font.name.startsWith(QLatin1Char('@')))
            continue;
        names.insert(font.name);
        kept.emplace_back(font.displayText(), &font);
    }
    std::reverse(kept.begin(), kept.end());
    std::stable_sort(kept.begin(), kept.end(), [](const auto &a, const auto &b) {
        return QString::compare(a.first, b.first, Qt::CaseSensitive) < 0;
    });
    std::vector<CFontInfo> list;
    list.reserve(kept.size());
    for (const auto &entry : kept)
        list.push_back(*entry.second);
    return list;
}

namespace {

uint8_t charSetOf(const QList<QFontDatabase::WritingSystem> &systems)
{
    if (systems.contains(QFontDatabase::Symbol) && systems.size() == 1)
        return charset::kSymbol;
    if (systems.contains(QFontDatabase::Latin))
        return charset::kAnsi;
    if (systems.contains(QFontDatabase::SimplifiedChinese))
        return charset::kGb2312;
    if (systems.contains(QFontDatabase::TraditionalChinese))
        return charset::kBig5;
    if (systems.contains(QFontDatabase::Japanese))
        return charset::kShiftJis;
    if (systems.contains(QFontDatabase::Korean))
        return charset::kHangul;
    return charset::kDefault;
}

} // namespace

std::vector<FontReport> installedFonts()
{
    std::vector<FontReport> reports;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        FontReport report;
        report.name = family;
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        report.charSet = charSetOf(systems);
        if (!systems.isEmpty())
            report.script = QFontDatabase::writingSystemName(systems.constFirst());
        report.pitchAndFamily = QFontDatabase::isFixedPitch(family) ? pitch::kFixed : pitch::kVariable;
        report.fontType = QFontDatabase::isSmoothlyScalable(family) ? fonttype::kTrueType : fonttype::kRaster;
        reports.push_back(report);
    }
    return reports;
}

std::shared_ptr<const std::vector<CFontInfo>> acquireFontList()
{
    static std::mutex lock;
    static std::weak_ptr<const std::vector<CFontInfo>> shared;
    const std::lock_guard guard(lock);
    if (auto list = shared.lock())
        return list;
    auto list = std::make_shared<const std::vector<CFontInfo>>(buildFontList(installedFonts(), 0));
    shared = list;
    return list;
}

} // namespace tessivo
