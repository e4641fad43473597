// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Messages composed on the command line: effects by name and number, rows in order,
// the same rows and device image as typing in the window, pictures, and every error.

#include "app/CommandLine.h"
#include "app/Compose.h"
#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "glyphs/GlyphFiles.h"
#include "link/DeviceImage.h"
#include "support/DialogFixture.h"
#include "support/FileTraps.h"

#include <QImage>
#include <QTextStream>

namespace tessivo::test {
namespace {

QStringList args(std::initializer_list<const char *> list)
{
    QStringList out{QStringLiteral("tessivo")};
    for (const char *a : list)
        out << QString::fromUtf8(a);
    return out;
}

TEST(ComposeOptions, EffectsByNameInAnyCaseWithDashesOrByNumber)
{
    EXPECT_EQ(effectByName("all-display", 0), effectByName("All display", 0));
    EXPECT_TRUE(effectByName("all-display", 0).has_value());
    EXPECT_EQ(effectByName("From right to left", 2), 0);
    EXPECT_EQ(effectByName("FROM-RIGHT-TO-LEFT", 2), 0);
    EXPECT_EQ(effectByName("6", 2), 6);
    EXPECT_EQ(effectByName("7", 2), std::nullopt);
    EXPECT_EQ(effectByName("-1", 0), std::nullopt);
    EXPECT_EQ(effectByName("nonsense", 1), std::nullopt);
    EXPECT_EQ(effectByName("3", 1), 3);
    EXPECT_EQ(effectByName("4", 1), std::nullopt);
}

TEST(ComposeOptions, EffectsApplyToTheRowsAfterThemAndTwelveRowsAtMost)
{
    const ComposeRequest request =
        parseComposeOptions(args({"--text", "one", "--open", "2", "--text", "two", "--close=3", "--text", "three",
                                  "--led", "11", "--middle", "1"}));
    ASSERT_TRUE(request.error.isEmpty()) << request.error.toStdString();
    ASSERT_EQ(request.rows.size(), 3u);
    EXPECT_EQ(request.rows[0].effects.opening, 0);
    EXPECT_EQ(request.rows[1].effects.opening, 2);
    EXPECT_EQ(request.rows[1].effects.closing, 0);
    EXPECT_EQ(request.rows[2].effects.closing, 3);
    EXPECT_EQ(request.ledType, ledtype::k11);
    EXPECT_TRUE(request.useMiddle);

    QStringList thirteen{QStringLiteral("tessivo")};
    for (int k = 0; k < 13; ++k)
        thirteen << QStringLiteral("--text") << QString::number(k);
    EXPECT_EQ(parseComposeOptions(thirteen).status, cli::kTooManyRows);
    EXPECT_EQ(parseComposeOptions(args({"--text", "a", "--close", "sideways"})).status, cli::kBadEffect);
    EXPECT_FALSE(parseComposeOptions(args({"--text", "a", "--led", "9"})).error.isEmpty());

    EXPECT_EQ(parseCommandLine(args({"--text", "a", "--save", "x.LDAT"})).mode, CommandLine::Mode::Compose);
    EXPECT_EQ(parseCommandLine(args({"--text", "a", "--send"})).mode, CommandLine::Mode::Compose);
    EXPECT_EQ(parseCommandLine(args({"--text", "a"})).mode, CommandLine::Mode::Error);
    EXPECT_EQ(parseCommandLine(args({"--text", "a", "--send", "--save", "x"})).mode, CommandLine::Mode::Error);
    EXPECT_EQ(parseCommandLine(args({"--text", "a", "--bogus", "--send"})).mode, CommandLine::Mode::Error);
    EXPECT_EQ(parseCommandLine(args({"--text"})).mode, CommandLine::Mode::Error);
}

TEST(ComposeOptions, WhatIsAskedAndWhatIsComposedAreReadAlike)
{
    // A file named like an option is the value of the option before it, for both.
    const QStringList odd = args({"--text", "a", "--save", "--open", "--font=--text"});
    const CommandLine line = parseCommandLine(odd);
    ASSERT_EQ(line.mode, CommandLine::Mode::Compose) << line.error.toStdString();
    EXPECT_EQ(line.saveTo, "--open");
    const ComposeRequest request = parseComposeOptions(odd);
    EXPECT_TRUE(request.error.isEmpty()) << request.error.toStdString();
    ASSERT_EQ(request.rows.size(), 1u);
    EXPECT_EQ(request.font, "--text");

    const ComposeOptions split = splitComposeOptions(args({"--text=x=y", "-q", "--led", "7"}));
    ASSERT_TRUE(split.error.isEmpty());
    ASSERT_EQ(split.options.size(), 3u);
    EXPECT_EQ(split.options[0].name, "--text");
    EXPECT_EQ(split.options[0].value, "x=y");
    EXPECT_EQ(split.options[1].name, "-q");
    EXPECT_EQ(split.options[2].value, "7");
    // Options without a value take none, and an unknown word is named as it was given.
    EXPECT_EQ(splitComposeOptions(args({"--text", "a", "--send=now"})).error,
              "Unknown option or argument with --text: '--send=now'.");
    EXPECT_EQ(splitComposeOptions(args({"--text", "a", "stray"})).error,
              "Unknown option or argument with --text: 'stray'.");
    EXPECT_EQ(splitComposeOptions(args({"--text", "a", "--led"})).error, "Missing value after '--led'.");
    EXPECT_EQ(parseComposeOptions(args({"--text", "a", "--led"})).status, 2);
}

class ComposeTest : public DialogFixture {
protected:
    int compose(const QStringList &arguments, MessageDocument &into)
    {
        QTextStream stream(&output);
        const int status = ComposeMessage(parseComposeOptions(arguments), into, stream);
        stream.flush();
        return status;
    }
    QString output;
};

TEST_F(ComposeTest, TheSameRowsAndImageAsTypingInTheWindow)
{
    for (const int ledType : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        const char *led = ledType == ledtype::k7 ? "7" : ledType == ledtype::k11 ? "11" : "16";
        document.ChangeLedType(ledType, true);
        type(0, QStringLiteral("Hello, fan!"));
        type(1, QString::fromUtf16(u"中文 x"));
        MessageDocument composed;
        ASSERT_EQ(compose(args({"--led", led, "--text", "Hello, fan!", "--text", "中文 x"}), composed), 0);
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(composed.row(k).n(), document.row(k).n()) << led << " row " << k;
            EXPECT_EQ(composed.row(k).usedWidth(), document.row(k).usedWidth()) << led << " row " << k;
        }
        DeviceImage typed, fromText;
        ASSERT_TRUE(BuildDeviceImage(document, typed));
        ASSERT_TRUE(BuildDeviceImage(composed, fromText));
        EXPECT_EQ(fromText.length, typed.length) << led;
        EXPECT_TRUE(std::equal(fromText.buffer.begin(), fromText.buffer.begin() + fromText.length, typed.buffer.begin()))
            << led;
        answer = mb::kIdNo;
        document.Clear();
    }
}

TEST_F(ComposeTest, PicturesColonsAndTheErrorsOfARow)
{
    document.ChangeLedType(ledtype::k16, true);
    QImage picture(20, 16, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(path("logo.png")));
    const QByteArray text = ("a:" + path("logo.png") + ":b::c").toUtf8();
    MessageDocument composed;
    ASSERT_EQ(compose(args({"--text", text.constData(), "--save", "x"}), composed), 0) << output.toStdString();
    const RowModel &row = composed.row(0);
    MessageDocument typed;
    typed.ChangeLedType(ledtype::k16, true);
    for (const char c : {'a', 'b', ':', 'c'})
        typed.row(0).TypeChar(uint16_t(c));
    EXPECT_EQ(row.n(), typed.row(0).n() + 1);
    EXPECT_EQ(row.usedWidth(), typed.row(0).usedWidth() + 20);

    MessageDocument bad;
    const QByteArray unreadable = ("x:" + path("none.png") + ":").toUtf8();
    EXPECT_EQ(compose(args({"--text", unreadable.constData()}), bad), cli::kBadPicture);
    EXPECT_TRUE(output.contains("no picture that can be read")) << output.toStdString();
    EXPECT_EQ(compose(args({"--text", "open :colon"}), bad), cli::kBadPicture);
    output.clear();
    EXPECT_EQ(compose(args({"--led", "16", "--text", QString(200, u'M').toUtf8().constData()}), bad), cli::kRowFull);
    EXPECT_TRUE(output.startsWith("tessivo: row 1: ")) << output.toStdString();
    output.clear();
    // SVG pictures, and glyphs from an installed font.
    ASSERT_TRUE(writeBytes(path("box.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"16\">"
                                            "<rect width=\"16\" height=\"16\" fill=\"black\"/></svg>"));
    MessageDocument svg;
    const QByteArray svgText = (":" + path("box.svg") + ":").toUtf8();
    ASSERT_EQ(compose(args({"--led", "16", "--text", svgText.constData(), "--save", "x"}), svg), 0) << output.toStdString();
    EXPECT_EQ(svg.row(0).usedWidth(), 32);
    MessageDocument font;
    ASSERT_EQ(compose(args({"--led", "16", "--font", "DejaVu Sans", "--text", "Hi", "--save", "x"}), font), 0);
    EXPECT_FALSE(font.glyphSource().userFont);
    EXPECT_EQ(font.row(0).n(), 2);
    output.clear();
    // A character no glyph source has is left out, and said.
    MessageDocument missing;
    EXPECT_EQ(compose(args({"--led", "16", "--text", "a\tb"}), missing), 0);  // a tab has no 16-LED glyph
    EXPECT_TRUE(output.contains("no glyph for")) << output.toStdString();
    EXPECT_EQ(missing.row(0).n(), 2);
}

} // namespace
} // namespace tessivo::test
