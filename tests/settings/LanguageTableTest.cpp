// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/IniFile.h"
#include "settings/LanguageTable.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

IniFile iniFrom(const QString &text)
{
    IniFile ini;
    ini.parse(text.toUtf8());
    return ini;
}

} // namespace

TEST(LanguageTable, ConstructionHoldsTheBuiltInChinese)
{
    const LanguageTable table;
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.currentIndex(), 0);
    EXPECT_EQ(table.name(0), QStringLiteral("简体中文"));
    EXPECT_EQ(table.record(0).langId, 0x0804);
}

TEST(LanguageTable, BuiltInTextsAreExact)
{
    const LanguageRecord &en = builtinEnglish();
    EXPECT_EQ(fieldText(en.name), "English");
    EXPECT_EQ(en.langId, 0x0409);
    EXPECT_EQ(fieldText(en.B[4]), "Middle to Two nearby");
    EXPECT_EQ(fieldText(en.C[7]), "Dispaly Data");
    EXPECT_EQ(fieldText(en.L[0]), "English each section most may input 18 characters");
    EXPECT_EQ(fieldText(en.L[1]), "English each section most may input 18 characters.");
    EXPECT_EQ(fieldText(en.M[4]), "Paste Graph");
    EXPECT_EQ(fieldText(en.M[23]), "Mirror");
    EXPECT_EQ(fieldText(en.M[24]), "");
    const LanguageRecord &zh = builtinChinese();
    EXPECT_EQ(fieldText(zh.E[6]), QStringLiteral("全灭"));
    EXPECT_EQ(fieldText(zh.L[2]),
              QStringLiteral("使用用户字库时:[b]  英文每段最多可以[b]输入18个字[b]  中文每段最多可以[b]输入9个字"));
    EXPECT_EQ(fieldText(zh.M[21]), QStringLiteral("网格大小"));
}

TEST(LanguageTable, WithoutSettingsEnglishThenChineseAreAddedAndWrittenBack)
{
    LanguageTable table;
    table.ReadLanguages(IniFile{});
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.name(0), "English");
    EXPECT_EQ(table.name(1), QStringLiteral("简体中文"));
    EXPECT_EQ(table.currentIndex(), 1);

    IniFile out;
    table.WriteLanguages(out);
    EXPECT_EQ(out.readString("Language", "1", {}, 159), "English");
    EXPECT_EQ(out.readString("Language", "2", {}, 159), QStringLiteral("简体中文"));
    EXPECT_EQ(out.readString("English", "C14", {}, 39), "Send");
    EXPECT_EQ(out.readString(QStringLiteral("简体中文"), "M24", {}, 39), QStringLiteral("镜向"));
    // 63 texts per language, two section headers, the Language section's three lines.
    EXPECT_EQ(out.lines().size(), 3 + 2 * 64);

    // Read back, the file now defines both and nothing more is written.
    LanguageTable again;
    again.ReadLanguages(out);
    EXPECT_EQ(again.count(), 2);
    EXPECT_EQ(fieldText(again.record(0).M[0]), "Undo");
    IniFile untouched;
    again.WriteLanguages(untouched);
    EXPECT_TRUE(untouched.lines().isEmpty());
}

TEST(LanguageTable, AFileLanguageComesFirstAndTheBuiltInsFollow)
{
    LanguageTable table;
    table.ReadLanguages(iniFrom(QStringLiteral("[Language]\n1=德文,0007\n[德文]\nB1=Links nach rechts\n")));
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.name(0), QStringLiteral("德文"));
    EXPECT_EQ(table.record(0).langId, 0x0007);
    EXPECT_EQ(fieldText(table.record(0).B[0]), "Links nach rechts");
    EXPECT_EQ(fieldText(table.record(0).B[1]), "");
    EXPECT_EQ(table.name(1), "English");
    EXPECT_EQ(table.name(2), QStringLiteral("简体中文"));

    IniFile out = iniFrom(QStringLiteral("[Language]\n1=德文,0007\n"));
    table.WriteLanguages(out);
    EXPECT_EQ(out.readString("Language", "1", {}, 159), QStringLiteral("德文,0007"));
    EXPECT_EQ(out.readString("Language", "2", {}, 159), "English");
    EXPECT_EQ(out.readString("Language", "3", {}, 159), QStringLiteral("简体中文"));
    EXPECT_FALSE(out.value(QStringLiteral("德文"), "B1").has_value());
}

TEST(LanguageTable, NamesMatchWithoutRegardToCase)
{
    LanguageTable table;
    table.ReadLanguages(iniFrom("[Language]\n1=english\n[english]\nC14=Go\n"));
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.name(0), "english");
    EXPECT_EQ(fieldText(table.record(0).C[13]), "Go");
    EXPECT_EQ(table.name(1), QStringLiteral("简体中文"));
}

TEST(LanguageTable, ValuesAreCutSkippedAndParsed)
{
    const QString longName = QString(50, u'n');
    const QString longText = QString(100, u'b');
    LanguageTable table;
    table.ReadLanguages(iniFrom("[Language]\n1=,0409\n2=\n3=" + longName + "\n4=Klingon,12zz\n5=Odd,\n"
                                "[" + longName.left(39) + "]\nB1=" + longText + "\n"));
    ASSERT_EQ(table.count(), 5);
    EXPECT_EQ(table.name(0), longName.left(39));
    EXPECT_EQ(fieldText(table.record(0).B[0]), longText.left(79));
    EXPECT_EQ(table.name(1), "Klingon");
    EXPECT_EQ(table.record(1).langId, 0x12);
    EXPECT_EQ(table.name(2), "Odd");
    EXPECT_EQ(table.record(2).langId, 0);
}

TEST(LanguageTable, SixteenFileLanguagesLeaveNoRoomForTheBuiltIns)
{
    QString text = "[Language]\n";
    for (int k = 1; k <= 16; ++k)
        text += QStringLiteral("%1=L%1\n").arg(k);
    LanguageTable table;
    table.ReadLanguages(iniFrom(text));
    EXPECT_EQ(table.count(), 16);
    EXPECT_EQ(table.currentIndex(), 0);
    IniFile out;
    table.WriteLanguages(out);
    EXPECT_TRUE(out.lines().isEmpty());
}

TEST(LanguageTable, CurrentIndexNeverPointsPastTheTable)
{
    LanguageTable table;
    table.ReadLanguages(IniFile{});
    table.setCurrentIndex(1);
    EXPECT_EQ(table.currentIndex(), 1);
    table.setCurrentIndex(2);
    EXPECT_EQ(table.currentIndex(), 0);
    table.setCurrentIndex(-1);
    EXPECT_EQ(table.currentIndex(), 0);
}

TEST(LanguageTable, CodePageListIsWrittenForCopying)
{
    IniFile out;
    LanguageTable::WriteLangCodePage(out);
    EXPECT_EQ(out.readString("LangCodePage", "1", {}, 99), QStringLiteral("简体中文,0804"));
    EXPECT_EQ(out.readString("LangCodePage", "6", {}, 99), QStringLiteral("法文,040C"));
    EXPECT_EQ(out.readString("LangCodePage", "9", {}, 99), QStringLiteral("西班牙文,000A"));
    EXPECT_FALSE(out.value("LangCodePage", "10").has_value());
}

namespace {

IniFile reproIni(const char *name)
{
    QFile file(QStringLiteral(TESSIVO_TEST_DATA "/repro/") + QLatin1String(name));
    IniFile ini;
    if (file.open(QIODevice::ReadOnly))
        ini.parse(file.readAll());
    return ini;
}

/// The languages a table read from `ini` holds, in order.
QStringList namesOf(const IniFile &ini)
{
    LanguageTable table;
    table.ReadLanguages(ini);
    QStringList names;
    for (int i = 0; i < table.count(); ++i)
        names << table.name(i);
    return names;
}

} // namespace

TEST(LanguageTable, BuiltInsAreWrittenBehindEveryKeyTheFileUses)
{
    // Keys 1 and 3: the built-ins must not land on key 3.
    IniFile ini = reproIni("lang-gap-loses-language.ini");
    const QStringList before = namesOf(ini);
    EXPECT_EQ(before, QStringList({"Foo", "Bar", "English", QStringLiteral("简体中文")}));
    LanguageTable table;
    table.ReadLanguages(ini);
    table.WriteLanguages(ini);
    EXPECT_EQ(ini.value("Language", "3").value_or(""), "Bar");
    EXPECT_EQ(ini.value("Language", "4").value_or(""), "English");
    EXPECT_EQ(ini.value("Language", "5").value_or(""), QStringLiteral("简体中文"));
    // At the next start the table is the same, in the same order.
    EXPECT_EQ(namesOf(ini), before);

    // An invalid entry is no free key either: Deutsch stays.
    IniFile invalid = iniFrom("[Language]\n1=,0409\n2=Deutsch\n");
    LanguageTable withInvalid;
    withInvalid.ReadLanguages(invalid);
    withInvalid.WriteLanguages(invalid);
    EXPECT_EQ(invalid.value("Language", "1").value_or(""), ",0409");
    EXPECT_EQ(invalid.value("Language", "2").value_or(""), "Deutsch");
    EXPECT_EQ(namesOf(invalid), QStringList({"Deutsch", "English", QStringLiteral("简体中文")}));
}

TEST(LanguageTable, WithoutAFreeKeyABuiltInWaitsForTheNextStart)
{
    IniFile ini = iniFrom("[Language]\n1=A\n16=B\n");
    LanguageTable table;
    table.ReadLanguages(ini);
    EXPECT_EQ(table.count(), 4);
    const QByteArray before = ini.serialize();
    table.WriteLanguages(ini);
    EXPECT_EQ(ini.serialize(), before);

    // With one key left the first built-in takes it, with its texts.
    IniFile one = iniFrom("[Language]\n1=A\n15=B\n");
    LanguageTable two;
    two.ReadLanguages(one);
    two.WriteLanguages(one);
    EXPECT_EQ(one.value("Language", "16").value_or(""), "English");
    EXPECT_EQ(one.value("English", "C15").value_or(""), "Exit");
    EXPECT_FALSE(one.value(QStringLiteral("简体中文"), "C15").has_value());
}

TEST(LanguageTable, ANameThatBeginsWithANulIsSkipped)
{
    EXPECT_EQ(namesOf(reproIni("lang-nul-name.ini")), QStringList({"English", QStringLiteral("简体中文")}));
}
