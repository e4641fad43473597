// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/AnsiCodePage.h"
#include "settings/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tessivo::IniFile;

namespace {

IniFile parsed(const char *text)
{
    IniFile ini;
    ini.parse(QByteArray(text));
    return ini;
}

QByteArray utf16File(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes;
}

} // namespace

TEST(IniFile, IntegersAreReadLikeTheProfileFunctions)
{
    const IniFile ini = parsed("[Set]\r\nplain=42\r\nsigned=-12abc\r\nplus=+7\r\nword=abc\r\n"
                               "empty=\r\nspaced =  15 \r\nhuge=99999999999999\r\nneg=-99999999999\r\n");
    EXPECT_EQ(ini.readInt("Set", "plain", 1), 42);
    EXPECT_EQ(ini.readInt("Set", "signed", 1), -12);
    EXPECT_EQ(ini.readInt("Set", "plus", 1), 7);
    EXPECT_EQ(ini.readInt("Set", "word", 1), 0);
    EXPECT_EQ(ini.readInt("Set", "empty", 5), 5);
    EXPECT_EQ(ini.readInt("Set", "spaced", 1), 15);
    EXPECT_EQ(ini.readInt("Set", "missing", 9), 9);
    EXPECT_EQ(ini.readInt("Other", "plain", 9), 9);
    EXPECT_EQ(ini.readInt("Set", "huge", 0), 2147483647);
    EXPECT_EQ(ini.readInt("Set", "neg", 0), -2147483647 - 1);
}

TEST(IniFile, NamesAreCaseInsensitiveAndTheFirstSectionCounts)
{
    const IniFile ini = parsed("; comment=1\n[SET]\nLedType=3\n[other]\nLedType=9\n[set]\nLedType=7\n");
    EXPECT_EQ(ini.readInt("set", "ledtype", 0), 3);
    EXPECT_EQ(ini.readString("Set", "LEDTYPE", "x", 10), "3");
    EXPECT_FALSE(ini.value("Set", "; comment").has_value());
}

TEST(IniFile, StringsAreTrimmedUnquotedAndCutToTheirField)
{
    const IniFile ini = parsed("[S]\na=  hello world  \nb=\"quoted \"\nc=abcdefgh\n");
    EXPECT_EQ(ini.readString("S", "a", {}, 100), "hello world");
    EXPECT_EQ(ini.readString("S", "b", {}, 100), "quoted ");
    EXPECT_EQ(ini.readString("S", "c", {}, 3), "abc");
    EXPECT_EQ(ini.readString("S", "none", "fallback", 100), "fallback");
    EXPECT_EQ(ini.readString("S", "none", "fallback", 4), "fall");
}

TEST(IniFile, CuttingNeverSplitsASurrogatePair)
{
    const QString text = QStringLiteral("ab") + QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(IniFile::cut(text, 3), "ab");
    EXPECT_EQ(IniFile::cut(text, 4), text);
    EXPECT_EQ(IniFile::cut(text, 0), "");
}

TEST(IniFile, WritingReplacesInPlaceAndKeepsEveryOtherLine)
{
    IniFile ini = parsed("; my settings\r\n[Set]\r\nLedType = 2\r\n; keep me\r\nLang=1\r\n\r\n"
                         "[Other]\r\nx=1\r\n");
    ini.writeString("set", "ledtype", "3");
    ini.writeString("Set", "NewKey", "v");
    ini.writeString("Fresh", "k", "w");
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Utf8);
    const QStringList expected = {"; my settings", "[Set]", "LedType=3", "; keep me", "Lang=1",
                                  "NewKey=v", "", "[Other]", "x=1", "[Fresh]", "k=w"};
    EXPECT_EQ(ini.lines(), expected);
    EXPECT_EQ(ini.serialize(), expected.join("\r\n").toUtf8() + "\r\n");
}

TEST(IniFile, LookupsBetweenWritesSeeEveryLineAsItIsNow)
{
    IniFile ini = parsed("[A]\nk=1\n[B]\nk=2\n[A]\nlate=3\n");
    EXPECT_EQ(ini.value("B", "k"), "2");
    EXPECT_EQ(ini.value("A", "late"), std::nullopt);  // only the first section of a name counts
    // Lines added to the first section move every later section down.
    for (int i = 0; i < 5; ++i)
        ini.writeString("A", QStringLiteral("new%1").arg(i), QString::number(i));
    EXPECT_EQ(ini.value("B", "k"), "2");
    EXPECT_EQ(ini.value("A", "new4"), "4");
    ini.writeString("C", "k", "4");  // a section at the end
    EXPECT_EQ(ini.value("c", "K"), "4");
    ini.writeString("B", "k", "5");
    EXPECT_EQ(ini.value("B", "k"), "5");
    // A file read anew forgets the old one's sections.
    ini.parse("[B]\nother=1\n");
    EXPECT_EQ(ini.value("B", "k"), std::nullopt);
    EXPECT_EQ(ini.value("B", "other"), "1");
    EXPECT_EQ(ini.value("A", "k"), std::nullopt);
}

TEST(IniFile, ValuesWithLineBreaksStayOnOneLine)
{
    IniFile ini;
    ini.writeString("S", "k", "one\r\ntwo");
    EXPECT_EQ(ini.readString("S", "k", {}, 100), "one  two");
    EXPECT_EQ(ini.lines().size(), 2);
}

TEST(IniFile, Utf16FilesStayUtf16AndUtf8FilesStayUtf8)
{
    IniFile wide;
    wide.parse(utf16File(QStringLiteral("[Set]\r\nSysFont=宋体\r\n")));
    EXPECT_EQ(wide.encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(wide.readString("Set", "SysFont", {}, 159), QStringLiteral("宋体"));
    wide.writeString("Set", "SysFont", QStringLiteral("黑体"));
    EXPECT_EQ(wide.serialize(), utf16File(QStringLiteral("[Set]\r\nSysFont=黑体\r\n")));

    IniFile narrow = parsed("[Set]\nSysFont=宋体\n");
    EXPECT_EQ(narrow.encoding(), IniFile::Encoding::Utf8);
    EXPECT_EQ(narrow.readString("Set", "SysFont", {}, 159), QStringLiteral("宋体"));
    EXPECT_EQ(narrow.serialize(), QByteArray("[Set]\nSysFont=宋体\n"));

    IniFile marked = parsed("\xEF\xBB\xBF[A]\nk=v\n");
    EXPECT_EQ(marked.readString("A", "k", {}, 9), "v");
    EXPECT_TRUE(marked.serialize().startsWith("\xEF\xBB\xBF[A]"));
}

TEST(IniFile, ANewFileIsUtf16WithItsMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    IniFile ini;
    EXPECT_EQ(ini.load(path), IniFile::Status::Missing);
    ini.writeString("Set", "Lang", "1");
    ASSERT_TRUE(ini.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), utf16File("[Set]\r\nLang=1\r\n"));
}

TEST(IniFile, SavingIntoAMissingFolderFailsAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    IniFile ini;
    ini.writeString("S", "k", "v");
    EXPECT_FALSE(ini.save(dir.filePath("no/such/folder/x.ini")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(IniFile, DamagedFilesAreReadWithoutHarm)
{
    // Garbage, odd UTF-16 lengths, unclosed sections, NULs and a very long line.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xFF));
    const QByteArray cases[] = {
        garbage,
        QByteArray("\xFF\xFE[", 3),
        QByteArray("\xFF\xFE", 2),
        QByteArray("[Set\nLang=2\n[\n=\n==\n[Set]]\nLang==3\n"),
        QByteArray("[Set]\nLang=", 11) + QByteArray(1 << 20, '7'),
        QByteArray("[Set]\0Lang=4\n", 13),
    };
    for (const QByteArray &bytes : cases) {
        IniFile ini;
        ini.parse(bytes);
        (void)ini.readInt("Set", "Lang", 1);
        (void)ini.readString("Set", "Lang", {}, 159);
        ini.writeString("Set", "Lang", "1");
        EXPECT_EQ(ini.readInt("Set", "Lang", 0), 1);
        IniFile again;
        again.parse(ini.serialize());
        EXPECT_EQ(again.readInt("Set", "Lang", 0), 1);
    }
    IniFile odd = parsed("[Set]\nLang==3\n");
    EXPECT_EQ(odd.readString("Set", "Lang", {}, 9), "=3");
    EXPECT_EQ(odd.readInt("Set", "Lang", 5), 0);
}

namespace {

/// Bytes of a text in a code page, for files written by a program of that locale.
QByteArray inCodePage(const QString &text, int codePage)
{
    return tessivo::encodeCodePage(text, codePage).value_or(QByteArray());
}

} // namespace

TEST(IniFile, AFileInTheUsersCodePageIsReadAndWrittenBackInIt)
{
    // A Chinese file, as a program of a Chinese locale writes it.
    const QString text = QStringLiteral("[Language]\r\n1=德文\r\n[德文]\r\nB1=从左到右\r\n[Set]\r\nSysFont=黑体\r\nLang=1\r\n");
    const QByteArray gbk = inCodePage(text, 936);
    ASSERT_FALSE(gbk.isEmpty());
    IniFile ini;
    ini.parse(gbk, 936);
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Ansi);
    EXPECT_EQ(ini.readString("Language", "1", {}, 159), QStringLiteral("德文"));
    EXPECT_EQ(ini.readString("Set", "SysFont", {}, 159), QStringLiteral("黑体"));
    EXPECT_EQ(ini.serialize(), gbk);

    // A changed value is written in the code page; every other line keeps its bytes.
    ini.writeString("Set", "Lang", "2");
    ini.writeString("Set", "SysFont", QStringLiteral("黑体"));  // the same value: untouched
    EXPECT_EQ(ini.serialize(), inCodePage(QString(text).replace("Lang=1", "Lang=2"), 936));
}

TEST(IniFile, BytesTheCodePageDoesNotDefineSurviveOnUntouchedLines)
{
    // 0x81 is no character of code page 1252; 0xE9 is an e with an acute.
    const QByteArray bytes("[Set]\r\nName=Caf\xE9\r\nOdd=\x81\x8D\r\nLang=1\r\n");
    IniFile ini;
    ini.parse(bytes, 1252);
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Ansi);
    EXPECT_EQ(ini.readString("Set", "Name", {}, 159), QString::fromUtf16(u"Café"));
    ini.writeString("Set", "Lang", "2");
    QByteArray expected = bytes;
    expected.replace("Lang=1", "Lang=2");
    EXPECT_EQ(ini.serialize(), expected);
}

TEST(IniFile, TextTheCodePageCannotHoldTurnsTheFileIntoUtf16)
{
    const QByteArray western("[Set]\r\nName=Caf\xE9\r\n");
    IniFile ini;
    ini.parse(western, 1252);
    ini.writeString(QStringLiteral("简体中文"), "C1", QStringLiteral("打开"));
    const QByteArray out = ini.serialize();
    ASSERT_TRUE(out.startsWith("\xFF\xFE"));
    IniFile back;
    back.parse(out);
    EXPECT_EQ(back.readString("Set", "Name", {}, 159), QString::fromUtf16(u"Café"));
    EXPECT_EQ(back.readString(QStringLiteral("简体中文"), "C1", {}, 39), QStringLiteral("打开"));
    EXPECT_FALSE(out.contains('?'));
}

TEST(IniFile, ValuesEndAtANulCharacter)
{
    IniFile ini;
    ini.parse(QByteArray("[Language]\r\n1=\0Foo\r\n2=Ab\0cd\r\n", 29));
    EXPECT_EQ(ini.readString("Language", "1", {}, 159), "");
    EXPECT_EQ(ini.readString("Language", "2", {}, 159), "Ab");
}

TEST(IniFile, UnsignedValuesKeepAllThirtyTwoBits)
{
    const IniFile ini = parsed("[Set]\nmax=4294967295\nhigh=3000000000\nminus=-1\nplain=255\nbig=4294967296\n"
                               "text=red\nempty=\n");
    EXPECT_EQ(ini.readUnsigned("Set", "max", 0), 4294967295u);
    EXPECT_EQ(ini.readUnsigned("Set", "high", 0), 3000000000u);
    EXPECT_EQ(ini.readUnsigned("Set", "minus", 0), 4294967295u);
    EXPECT_EQ(ini.readUnsigned("Set", "plain", 0), 255u);
    EXPECT_EQ(ini.readUnsigned("Set", "big", 7), 0u);
    EXPECT_EQ(ini.readUnsigned("Set", "text", 7), 0u);
    EXPECT_EQ(ini.readUnsigned("Set", "empty", 7), 7u);
    EXPECT_EQ(ini.readUnsigned("Set", "missing", 7), 7u);
}

TEST(IniFile, MissingAndUnreadableFilesAreToldApart)
{
    QTemporaryDir dir;
    IniFile ini;
    EXPECT_EQ(ini.load(dir.filePath("none.ini")), IniFile::Status::Missing);
    EXPECT_EQ(ini.load(dir.path()), IniFile::Status::Unreadable);  // a folder cannot be read
    QFile file(dir.filePath("some.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[S]\nk=v\n");
    file.close();
    EXPECT_EQ(ini.load(file.fileName()), IniFile::Status::Read);
    EXPECT_EQ(ini.readString("S", "k", {}, 9), "v");
}
