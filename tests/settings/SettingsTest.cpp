// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "rows/LedType.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { state.languages.ReadLanguages(IniFile{}); }

    void read(const QString &setSection)
    {
        IniFile ini;
        ini.parse(("[Set]\n" + setSection).toUtf8());
        state.ReadSettings(ini);
    }
    LedTypeTable types() const { return LedTypeTable(state.LedGap11, state.LedScrW11); }

    Settings state;
};

} // namespace

TEST_F(SettingsTest, DefaultsApplyWithoutAFile)
{
    state.ReadSettings(IniFile{});
    EXPECT_EQ(state.bUserFont, 1);
    EXPECT_EQ(state.SysFont, QStringLiteral("宋体"));
    EXPECT_EQ(state.LedType, ledtype::k7);
    EXPECT_EQ(state.LedColor, 0x000000FFu);
    EXPECT_EQ(state.languages.currentIndex(), 0);
    EXPECT_EQ(state.languages.name(0), "English");
    EXPECT_EQ(state.MakeChrWndCx, 540);
    EXPECT_EQ(state.MakeChrWndCy, 360);
    EXPECT_EQ(types()[ledtype::k11].gap, 2);
    EXPECT_EQ(types()[ledtype::k11].rowWidth, 160);
}

TEST_F(SettingsTest, LedTypeIsStoredPlusOneAndClamped)
{
    const std::pair<const char *, int> cases[] = {
        {"0", 0}, {"1", 0}, {"2", 1}, {"3", 2}, {"7", 2}, {"-5", 0}, {"-2147483648", 0}};
    for (const auto &[text, type] : cases) {
        read(QStringLiteral("LedType=%1\n").arg(text));
        EXPECT_EQ(state.LedType, type) << text;
    }
}

TEST_F(SettingsTest, ElevenLedAdjustmentsAreClamped)
{
    const struct { const char *gap, *width; int wantGap, wantWidth; } cases[] = {
        {"-1", "150", 0, 160}, {"9", "200", 4, 180}, {"3", "170", 3, 170}, {"x", "", 0, 160}};
    for (const auto &c : cases) {
        read(QStringLiteral("LedGap11=%1\nLedScrW11=%2\n").arg(c.gap, c.width));
        EXPECT_EQ(types()[ledtype::k11].gap, c.wantGap) << c.gap;
        EXPECT_EQ(types()[ledtype::k11].rowWidth, c.wantWidth) << c.width;
    }
    EXPECT_EQ(types()[ledtype::k16].rowWidth, 144);
    EXPECT_EQ(types().maxRowWidth(), 160);
}

TEST_F(SettingsTest, WindowSizesOutsideTheirRangeBecomeOneHundred)
{
    read("MakeChrWndCx=2000\nMakeChrWndCy=99\n");
    EXPECT_EQ(state.MakeChrWndCx, 100);
    EXPECT_EQ(state.MakeChrWndCy, 100);
    read("MakeChrWndCx=1024\nMakeChrWndCy=100\n");
    EXPECT_EQ(state.MakeChrWndCx, 1024);
    EXPECT_EQ(state.MakeChrWndCy, 100);
}

TEST_F(SettingsTest, LanguageOutsideTheTableGivesTheFirst)
{
    for (const char *lang : {"0", "-3", "3", "99"}) {
        read(QStringLiteral("Lang=%1\n").arg(lang));
        EXPECT_EQ(state.languages.currentIndex(), 0) << lang;
    }
    read("Lang=2\n");
    EXPECT_EQ(state.languages.currentIndex(), 1);
}

TEST_F(SettingsTest, OnlyANonEmptyFontFaceReplacesTheDefault)
{
    read("SysFont=\n");
    EXPECT_EQ(state.SysFont, QStringLiteral("宋体"));
    read("SysFont=" + QString(200, u'F') + "\n");
    EXPECT_EQ(state.SysFont, QString(159, u'F'));
}

TEST_F(SettingsTest, WritingStoresTheSevenKeysAndNeverTheElevenLedOnes)
{
    read("LedType=3\nLedColor=65280\nLang=2\nbUserFont=0\nSysFont=Noto Sans\nLedGap11=3\n"
         "MakeChrWndCx=600\nMakeChrWndCy=400\n");
    IniFile out;
    out.parse("[Set]\nLedGap11=3\n");
    state.WriteSettings(out);
    const QStringList expected = {"[Set]", "LedGap11=3", "bUserFont=0", "SysFont=Noto Sans",
                                  "LedType=3", "LedColor=65280", "Lang=2", "MakeChrWndCx=600",
                                  "MakeChrWndCy=400"};
    EXPECT_EQ(out.lines(), expected);
}

TEST_F(SettingsTest, LedColourKeepsEveryUnsignedValue)
{
    for (const char *value : {"4294967295", "3000000000", "2147483648", "255"}) {
        read(QStringLiteral("LedColor=%1\n").arg(value));
        IniFile out;
        state.WriteSettings(out);
        EXPECT_EQ(out.value("Set", "LedColor").value_or(""), value);
    }
    read("LedColor=-1\n");
    EXPECT_EQ(state.LedColor, 0xFFFFFFFFu);
}

TEST(SettingsLocation, LibBesideTheProgramWhenWritable)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("LIB");
    const SettingsLocation location = resolveSettingsLocation(dir.path());
    EXPECT_EQ(location.readPath, dir.path() + "/LIB/Tessivo.ini");
    EXPECT_EQ(location.writePath, location.readPath);
}

TEST(SettingsLocation, ConfigurationFolderWhenLibIsNotWritable)
{
    QTemporaryDir program, config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());

    // Without any LIB folder, the user's file is read and written.
    SettingsLocation location = resolveSettingsLocation(program.path() + "/missing");
    EXPECT_EQ(location.writePath, config.path() + "/Tessivo/Tessivo.ini");
    EXPECT_EQ(location.readPath, location.writePath);
    EXPECT_TRUE(QDir(config.path() + "/Tessivo").exists());

    // A LIB that is a file (so not a writable folder) whose settings copy seeds the
    // user's file until that exists.
    QFile lib(program.path() + "/LIB");
    ASSERT_TRUE(lib.open(QIODevice::WriteOnly));
    lib.close();
    location = resolveSettingsLocation(program.path());
    EXPECT_EQ(location.writePath, config.path() + "/Tessivo/Tessivo.ini");

    // An installed copy whose LIB is writable (root, or a prefix in the user's home)
    // still keeps the settings in the configuration folder, seeded from LIB's copy.
    QTemporaryDir installed;
    QDir(installed.path()).mkdir("LIB");
    QFile marker(installed.path() + "/LIB/" + kInstalledMarker);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    QFile seed(installed.path() + "/LIB/Tessivo.ini");
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.close();
    QFile::remove(config.path() + "/Tessivo/Tessivo.ini");
    location = resolveSettingsLocation(installed.path());
    EXPECT_EQ(location.writePath, config.path() + "/Tessivo/Tessivo.ini");
    EXPECT_EQ(location.readPath, installed.path() + "/LIB/Tessivo.ini");

    qputenv("XDG_CONFIG_HOME", saved);
}

namespace tessivo {
namespace {

TEST(SettingsOfOurOwn, FolderAndRecentProjectsAreWrittenOnlyWhenTheyChanged)
{
    IniFile ini;
    ini.parse("[Set]\nLang=1\n");
    Settings settings;
    settings.ReadSettings(ini);
    EXPECT_TRUE(settings.LastFolder.isEmpty());
    EXPECT_TRUE(settings.RecentProjects.isEmpty());
    settings.WriteSettings(ini);
    EXPECT_FALSE(ini.serialize().contains("LastFolder"));
    EXPECT_FALSE(ini.serialize().contains("RecentProject"));

    for (int k = 0; k < 7; ++k)
        settings.rememberProject(QStringLiteral("/p/%1.LDAT").arg(k));
    settings.rememberProject(QStringLiteral("/p/3.LDAT"));
    EXPECT_EQ(settings.RecentProjects,
              QStringList({"/p/3.LDAT", "/p/6.LDAT", "/p/5.LDAT", "/p/4.LDAT", "/p/2.LDAT"}));
    EXPECT_EQ(settings.LastFolder, "/p");
    settings.WriteSettings(ini);

    Settings next;
    next.ReadSettings(ini);
    EXPECT_EQ(next.RecentProjects, settings.RecentProjects);
    EXPECT_EQ(next.LastFolder, "/p");
    // Read back unchanged, they are not written again: the lines keep their bytes.
    IniFile again;
    again.parse(ini.serialize());
    next.WriteSettings(again);
    EXPECT_EQ(again.serialize(), ini.serialize());
}

TEST(SettingsOfOurOwn, DamagedRecentEntriesAreSkipped)
{
    IniFile ini;
    ini.parse("[Set]\nRecentProject1=\nRecentProject2=/a.LDAT\nRecentProject3=/a.LDAT\nRecentProject9=/z\n"
              "LastFolder=" + QByteArray(10000, 'x') + "\n");
    Settings settings;
    settings.ReadSettings(ini);
    EXPECT_EQ(settings.RecentProjects, QStringList{"/a.LDAT"});
    EXPECT_LE(settings.LastFolder.size(), 4096);
}

} // namespace
} // namespace tessivo
