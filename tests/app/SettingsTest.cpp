#include "app/AppState.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "rows/LedType.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetLedTypeTable();
        state.languages.ReadLanguages(IniFile{});
    }
    void TearDown() override { resetLedTypeTable(); }

    void read(const QString &setSection)
    {
        IniFile ini;
        ini.parse(("[Set]\n" + setSection).toUtf8());
        ReadSettings(ini, state);
    }

    AppState state;
};

} // namespace

TEST_F(Settings, DefaultsApplyWithoutAFile)
{
    state.useMiddle = 1;
    ReadSettings(IniFile{}, state);
    EXPECT_EQ(state.useMiddle, 0);
    EXPECT_EQ(state.bUserFont, 1);
    EXPECT_EQ(state.SysFont, QStringLiteral("宋体"));
    EXPECT_EQ(state.LedType, ledtype::k7);
    EXPECT_EQ(state.LedColor, 0x000000FFu);
    EXPECT_EQ(state.languages.currentIndex(), 0);
    EXPECT_EQ(state.languages.name(0), "English");
    EXPECT_EQ(state.MakeChrWndCx, 540);
    EXPECT_EQ(state.MakeChrWndCy, 360);
    EXPECT_EQ(ledTypeInfo(ledtype::k11).gap, 2);
    EXPECT_EQ(ledTypeInfo(ledtype::k11).rowWidth, 160);
}

TEST_F(Settings, LedTypeIsStoredPlusOneAndClamped)
{
    const std::pair<const char *, int> cases[] = {
        {"0", 0}, {"1", 0}, {"2", 1}, {"3", 2}, {"7", 2}, {"-5", 0}, {"-2147483648", 0}};
    for (const auto &[text, type] : cases) {
        read(QStringLiteral("LedType=%1\n").arg(text));
        EXPECT_EQ(state.LedType, type) << text;
    }
}

TEST_F(Settings, ElevenLedAdjustmentsAreClamped)
{
    const struct { const char *gap, *width; int wantGap, wantWidth; } cases[] = {
        {"-1", "150", 0, 160}, {"9", "200", 4, 180}, {"3", "170", 3, 170}, {"x", "", 0, 160}};
    for (const auto &c : cases) {
        read(QStringLiteral("LedGap11=%1\nLedScrW11=%2\n").arg(c.gap, c.width));
        EXPECT_EQ(ledTypeInfo(ledtype::k11).gap, c.wantGap) << c.gap;
        EXPECT_EQ(ledTypeInfo(ledtype::k11).rowWidth, c.wantWidth) << c.width;
    }
    EXPECT_EQ(ledTypeInfo(ledtype::k16).rowWidth, 144);
    EXPECT_EQ(maxRowWidth(), 160);
}

TEST_F(Settings, WindowSizesOutsideTheirRangeBecomeOneHundred)
{
    read("MakeChrWndCx=2000\nMakeChrWndCy=99\n");
    EXPECT_EQ(state.MakeChrWndCx, 100);
    EXPECT_EQ(state.MakeChrWndCy, 100);
    read("MakeChrWndCx=1024\nMakeChrWndCy=100\n");
    EXPECT_EQ(state.MakeChrWndCx, 1024);
    EXPECT_EQ(state.MakeChrWndCy, 100);
}

TEST_F(Settings, LanguageOutsideTheTableGivesTheFirst)
{
    for (const char *lang : {"0", "-3", "3", "99"}) {
        read(QStringLiteral("Lang=%1\n").arg(lang));
        EXPECT_EQ(state.languages.currentIndex(), 0) << lang;
    }
    read("Lang=2\n");
    EXPECT_EQ(state.languages.currentIndex(), 1);
}

TEST_F(Settings, OnlyANonEmptyFontFaceReplacesTheDefault)
{
    read("SysFont=\n");
    EXPECT_EQ(state.SysFont, QStringLiteral("宋体"));
    read("SysFont=" + QString(200, u'F') + "\n");
    EXPECT_EQ(state.SysFont, QString(159, u'F'));
}

TEST_F(Settings, WritingStoresTheSevenKeysAndNeverTheElevenLedOnes)
{
    read("LedType=3\nLedColor=65280\nLang=2\nbUserFont=0\nSysFont=Noto Sans\nLedGap11=3\n"
         "MakeChrWndCx=600\nMakeChrWndCy=400\n");
    IniFile out;
    out.parse("[Set]\nLedGap11=3\n");
    WriteSettings(out, state);
    const QStringList expected = {"[Set]", "LedGap11=3", "bUserFont=0", "SysFont=Noto Sans",
                                  "LedType=3", "LedColor=65280", "Lang=2", "MakeChrWndCx=600",
                                  "MakeChrWndCy=400"};
    EXPECT_EQ(out.lines(), expected);
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

    qputenv("XDG_CONFIG_HOME", saved);
}
