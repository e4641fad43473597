// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/FontList.h"

#include <QFontDatabase>
#include <QList>
#include <algorithm>
#include <mutex>

namespace tessivo {

QString CFontInfo::displayText() const
{
    return script.isEmpty() ? name : name + QStringLiteral(" (") + script + QLatin1Char(')');
}

std::vector<CFontInfo> buildFontList(const std::vector<FontReport> &reports, uint8_t pitchAndFamilyFilter)
{
    std::vector<CFontInfo> list;
    const int pitchFilter = pitchAndFamilyFilter & 0x0F, familyFilter = pitchAndFamilyFilter & 0xF0;
    for (const FontReport &font : reports) {
        if (font.charSet == charset::kMac)
            continue;
        if (pitchFilter != 0 && pitchFilter != (font.pitchAndFamily & 0x0F))
            continue;
        if (familyFilter != 0 && familyFilter != (font.pitchAndFamily & 0xF0))
            continue;
        if (std::any_of(list.begin(), list.end(), [&](const CFontInfo &f) { return f.name == font.name; }))
            continue;
        if (font.name.startsWith(QLatin1Char('@')))
            continue;
        const QString text = font.displayText();
        const auto at = std::find_if(list.begin(), list.end(), [&](const CFontInfo &f) {
            return QString::compare(f.displayText(), text, Qt::CaseSensitive) >= 0;
        });
        list.insert(at, font);
    }
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
