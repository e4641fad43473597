// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shared font list: which reported fonts it keeps and in what order.

#include "glyphs/FontList.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

FontReport font(const char *name, const char *script = "", uint8_t charSet = charset::kAnsi,
                uint8_t pitchAndFamily = pitch::kVariable)
{
    FontReport report;
    report.name = QString::fromUtf8(name);
    report.script = QString::fromUtf8(script);
    report.charSet = charSet;
    report.pitchAndFamily = pitchAndFamily;
    report.fontType = fonttype::kTrueType;
    return report;
}

QStringList names(const std::vector<CFontInfo> &list)
{
    QStringList out;
    for (const CFontInfo &info : list)
        out << info.name;
    return out;
}

TEST(FontList, SkipsMacVerticalAndRepeatedFaces)
{
    const std::vector<FontReport> reports = {
        font("Arial", "Western"), font("Arial", "Greek"), font("@SimSun", "CHINESE_GB2312", charset::kGb2312),
        font("SimSun", "CHINESE_GB2312", charset::kGb2312), font("Chicago", "Mac", charset::kMac),
        font("arial", "Western")};
    const std::vector<CFontInfo> list = buildFontList(reports, 0);
    EXPECT_EQ(names(list), QStringList({"Arial", "SimSun", "arial"}));
    EXPECT_EQ(list[0].script, "Western");  // the first report of a name is kept
}

TEST(FontList, OrdersByDisplayTextCaseSensitively)
{
    const std::vector<CFontInfo> list =
        buildFontList({font("b"), font("Zeta"), font("Alpha", "Western"), font("Alpha Narrow"), font("a")}, 0);
    // Code units decide: "Alpha (Western)" comes before "Alpha Narrow" ('(' < 'N'), and
    // capitals before small letters.
    EXPECT_EQ(names(list), QStringList({"Alpha", "Alpha Narrow", "Zeta", "a", "b"}));
    EXPECT_EQ(list[0].displayText(), "Alpha (Western)");
}

TEST(FontList, OfTwoFacesShownAlikeTheLaterComesFirst)
{
    // "A (B)" without a script and "A" of the script B show the same text.
    const std::vector<CFontInfo> list = buildFontList({font("A (B)"), font("C"), font("A", "B")}, 0);
    EXPECT_EQ(names(list), QStringList({"A", "A (B)", "C"}));
}

TEST(FontList, ManyFamiliesComeOutSortedAndEachOnce)
{
    std::vector<FontReport> reports;
    for (int i = 0; i < 600; ++i)
        reports.push_back(font(QStringLiteral("Family %1").arg((i * 7919) % 300, 3, 10, QLatin1Char('0')).toUtf8().constData()));
    const QStringList shown = names(buildFontList(reports, 0));
    ASSERT_EQ(shown.size(), 300);
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], QStringLiteral("Family %1").arg(i, 3, 10, QLatin1Char('0')));
}

TEST(FontList, PitchAndFamilyFilter)
{
    const std::vector<FontReport> reports = {font("Mono", "", charset::kAnsi, pitch::kFixed | 0x30),
                                             font("Sans", "", charset::kAnsi, pitch::kVariable | 0x20)};
    EXPECT_EQ(names(buildFontList(reports, pitch::kFixed)), QStringList{"Mono"});
    EXPECT_EQ(names(buildFontList(reports, 0x20)), QStringList{"Sans"});
    EXPECT_EQ(names(buildFontList(reports, pitch::kFixed | 0x20)), QStringList{});
    EXPECT_EQ(buildFontList(reports, 0).size(), 2u);
}

TEST(FontList, EmptyAndOddNames)
{
    EXPECT_TRUE(buildFontList({}, 0).empty());
    const std::vector<CFontInfo> list = buildFontList({font(""), font("@"), font("x")}, 0);
    EXPECT_EQ(names(list), QStringList({"", "x"}));
}

} // namespace
