// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Format.h"

#include <gtest/gtest.h>

using namespace tessivo;

TEST(Format, ConversionsFollowThePlatformFormatter)
{
    EXPECT_EQ(formatText("Can't Load %s", {formatArg("LIB/libMorvUSB.so")}), "Can't Load LIB/libMorvUSB.so");
    EXPECT_EQ(formatText("%d|%i|%u|%x|%X|%c|%%", {formatArg(-42), formatArg(7), formatArg(-1),
                                                  formatArg(255), formatArg(255), formatArg('A')}),
              "-42|7|4294967295|ff|FF|A|%");
    EXPECT_EQ(formatText("[%5d][%-5d][%05d][%#x][%.2s][%04X]",
                         {formatArg(42), formatArg(42), formatArg(-42), formatArg(255),
                          formatArg("abc"), formatArg(0x40C)}),
              "[   42][42   ][-0042][0xff][ab][040C]");
    EXPECT_EQ(formatText("%ls %S", {formatArg(u"宽"), formatArg("x")}), QStringLiteral("宽 x"));
}

TEST(Format, MissingOrMismatchedArgumentsAreHarmless)
{
    EXPECT_EQ(formatText("%s|%d|%c", {}), "|0|" + QString(QChar(0)));
    EXPECT_EQ(formatText("%d", {formatArg("text")}), "0");
    EXPECT_EQ(formatText("%s", {formatArg(12)}), "12");
    EXPECT_EQ(formatText("trailing %", {}), "trailing ");
    EXPECT_EQ(formatText("%q", {}), "q");
}

TEST(Format, CutAtOneThousandTwentyFourCharacters)
{
    const QString longText(5000, u'x');
    EXPECT_EQ(formatText("%s", {formatArg(longText)}).size(), kFormatLimit);
    EXPECT_EQ(formatText("%99999999d", {formatArg(1)}).size(), kFormatLimit);
}
