// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TessivoApp.h"
#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"
#include "rows/LedType.h"
#include "settings/IniFile.h"
#include "support/FileTraps.h"
#include "support/VirtualDisplay.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

// A program folder with an empty LIB beside it, and an application object whose
// message boxes and main window are recorded instead of shown.
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("LIB");
        app = std::make_unique<CTessivoApp>();
        app->moduleFolderOverride = dir.path();
        app->platformMessage = [this](const QString &text, const QString &caption) {
            messages << caption + ": " + text;
        };
        app->runMainWindow = [this] { ++windowRuns; };
    }

    QString iniPath() const { return dir.path() + "/LIB/Tessivo.ini"; }
    void writeIni(const QByteArray &bytes) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void run()
    {
        EXPECT_FALSE(app->InitInstance());
        EXPECT_EQ(app->ExitInstance(), 0);
    }

    QTemporaryDir dir;
    std::unique_ptr<CTessivoApp> app;
    QStringList messages;
    int windowRuns = 0;
};

} // namespace

TEST_F(Startup, WithoutSettingsOrLibraryTheDefaultsApplyAndTheFileIsWritten)
{
    bool checked = false;
    app->runMainWindow = [&] {
        const Settings &state = app->settings();
        const MessageDocument &document = *app->document();
        EXPECT_EQ(app->moduleFolder(), dir.path());
        EXPECT_EQ(app->settingsPath(), iniPath());
        EXPECT_EQ(state.LedType, ledtype::k7);
        EXPECT_EQ(document.ledType(), ledtype::k7);
        EXPECT_EQ(document.ledColor(), 0xFFu);
        EXPECT_TRUE(document.glyphSource().userFont);
        EXPECT_EQ(document.glyphSource().face, QStringLiteral("宋体"));
        EXPECT_FALSE(document.useMiddle());
        EXPECT_EQ(state.languages.name(state.languages.currentIndex()), "English");
        EXPECT_EQ(state.MakeChrWndCx, 540);
        EXPECT_EQ(state.MakeChrWndCy, 360);
        EXPECT_FALSE(app->reportLibrary().isBound());
        EXPECT_NE(app->cursor(CTessivoApp::kIBeamCursor), nullptr);
        EXPECT_EQ(app->cursor(CTessivoApp::kIBeamCursor)->shape(), Qt::IBeamCursor);
        EXPECT_EQ(app->cursor(11), nullptr);
        checked = true;
    };
    run();
    EXPECT_TRUE(checked);
    EXPECT_EQ(messages, QStringList({"Information: Can't Load LIB/libMorvUSB.so",
                                     "Information: Load LIB/libMorvUSB.so file error!"}));

    const QByteArray bytes = readIni();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    IniFile ini;
    ini.parse(bytes);
    const QStringList keys = {"bUserFont", "SysFont", "LedType", "LedColor", "Lang",
                              "MakeChrWndCx", "MakeChrWndCy"};
    const QStringList values = {"1", QStringLiteral("宋体"), "1", "255", "1", "540", "360"};
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(ini.value("Set", keys[i]).value_or("<missing>"), values[i]) << keys[i].toStdString();
    EXPECT_FALSE(ini.value("Set", "LedGap11").has_value());
    EXPECT_EQ(ini.value("LangCodePage", "9").value_or(""), QStringLiteral("西班牙文,000A"));
    EXPECT_EQ(ini.value("Language", "1").value_or(""), "English");
    EXPECT_EQ(ini.value("Language", "2").value_or(""), QStringLiteral("简体中文"));
    EXPECT_EQ(ini.value("English", "C15").value_or(""), "Exit");
}

TEST_F(Startup, SettingsAreReadAndWrittenBackWithTheUsersLinesKept)
{
    QString text = "; hand-written\r\n[Set]\r\nLedType=3\r\nLedGap11=9\r\nLedScrW11=200\r\nLang=2\r\n"
                   "MakeChrWndCx=2000\r\n";
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    writeIni(bytes);
    app->runMainWindow = [this] {
        MessageDocument &document = *app->document();
        EXPECT_EQ(document.ledType(), ledtype::k16);
        EXPECT_EQ(document.ledTypes()[ledtype::k11].gap, 4);
        EXPECT_EQ(document.ledTypes()[ledtype::k11].rowWidth, 180);
        EXPECT_EQ(app->settings().languages.currentIndex(), 1);
        EXPECT_EQ(app->settings().MakeChrWndCx, 100);
        document.setLedColor(0x00FF00);
    };
    run();
    IniFile ini;
    ini.parse(readIni());
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(ini.lines().first(), "; hand-written");
    EXPECT_EQ(ini.value("Set", "LedGap11").value_or(""), "9");
    EXPECT_EQ(ini.value("Set", "LedType").value_or(""), "3");
    EXPECT_EQ(ini.value("Set", "Lang").value_or(""), "2");
    EXPECT_EQ(ini.value("Set", "LedColor").value_or(""), "65280");
    EXPECT_EQ(ini.value("Set", "MakeChrWndCx").value_or(""), "100");
}

TEST_F(Startup, AGarbledSettingsFileStillStartsAndIsRepaired)
{
    QByteArray garbage;
    for (int i = 0; i < 2000; ++i)
        garbage.append(char((i * 131 + 7) & 0xFF));
    writeIni(garbage);
    run();
    EXPECT_EQ(windowRuns, 1);
    IniFile ini;
    ini.parse(readIni());
    EXPECT_EQ(ini.value("Set", "Lang").value_or(""), "1");
}

TEST_F(Startup, ACompleteReportLibraryIsBoundWithoutMessages)
{
    ASSERT_TRUE(QFile::copy(FAKE_REPORT_COMPLETE, dir.path() + "/LIB/libMorvUSB.so"));
    app->runMainWindow = [this] {
        EXPECT_TRUE(app->reportLibrary().isBound());
        EXPECT_EQ(app->reportLibrary().CloseUSBDevice(nullptr), 1);
    };
    run();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(app->reportLibrary().isBound()) << "released at exit";
}

TEST_F(Startup, AnIncompleteReportLibraryIsReleasedWithOneMessage)
{
    ASSERT_TRUE(QFile::copy(FAKE_REPORT_INCOMPLETE, dir.path() + "/LIB/libMorvUSB.so"));
    app->runMainWindow = [this] { EXPECT_FALSE(app->reportLibrary().isBound()); };
    run();
    EXPECT_EQ(messages, QStringList({"Information: Load LIB/libMorvUSB.so file error!"}));
}

TEST_F(Startup, TheLibraryIsFoundBesideTheProgramNotInTheWorkingDirectory)
{
    QTemporaryDir elsewhere;
    QDir(elsewhere.path()).mkdir("LIB");
    ASSERT_TRUE(QFile::copy(FAKE_REPORT_COMPLETE, elsewhere.path() + "/LIB/libMorvUSB.so"));
    const QString saved = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    app->runMainWindow = [this] { EXPECT_FALSE(app->reportLibrary().isBound()); };
    run();
    QDir::setCurrent(saved);
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(Startup, GlyphFilesAreLoadedFromLib)
{
    for (const char *name : glyphfile::kBuiltinNames)
        ASSERT_TRUE(QFile::copy(QString(TESSIVO_LIB_DIR) + "/" + name, dir.path() + "/LIB/" + name));
    app->runMainWindow = [this] {
        EXPECT_TRUE(isBuiltinLoaded(glyphfile::k7Ascii));
        EXPECT_FALSE(isUserLibraryPresent(0));
        // A letter typed into the document's first row comes from the loaded files.
        RowModel &row = app->document()->row(0);
        EXPECT_TRUE(row.AddChar('A', false));
    };
    run();
    EXPECT_FALSE(isBuiltinLoaded(glyphfile::k7Ascii)) << "released at exit";
}

TEST(MainWindow, CaptionAndLook)
{
    test::VirtualDisplay display;
    test::VirtualLinks links(display);
    Settings settings;
    MessageDocument document;
    CTessivoDlg dialog(document, settings, links);
    EXPECT_EQ(dialog.windowTitle(), "USB DATA DOWNLOAD SYSTEM [*]");
    EXPECT_EQ(dialog.objectName(), "id102");
    dialog.show();
    const QImage picture = dialog.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
        picture.save(QString::fromLocal8Bit(out) + "/main-window.png");
}

namespace {

/// Runs the real main window, leaving it through its Exit as soon as it is up, and
/// answers what message boxes said while the window was still there.
QStringList exitAndListMessages(CTessivoApp &app)
{
    QStringList shown;
    setMessageBoxHandler([&shown](const QString &text, unsigned) {
        auto *dialog = qobject_cast<CTessivoDlg *>(QApplication::activeModalWidget());
        shown << text + (dialog && dialog->isVisible() ? " (window up)" : " (no window)");
        return mb::kIdOk;
    });
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<CTessivoDlg *>(QApplication::activeModalWidget()))
            dialog->OnExit();
    });
    app.runMainWindow = nullptr;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.ExitInstance(), 0);
    setMessageBoxHandler({});
    return shown;
}

} // namespace

TEST_F(Startup, ASettingsFileThatCannotBeReadIsNeverReplacedAndTheUserIsTold)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("LIB/Tessivo.ini"));  // where the file should be
    EXPECT_EQ(exitAndListMessages(*app),
              QStringList{"Settings file cannot be read, settings not saved! (window up)"});
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

TEST_F(Startup, ASettingsFileThatCannotBeWrittenIsReportedBeforeTheWindowCloses)
{
    // An installed program: LIB is not a folder it may write, and the configuration
    // folder cannot be made because a file stands in its place.
    QTemporaryDir program, config;
    QFile lib(program.path() + "/LIB");
    ASSERT_TRUE(lib.open(QIODevice::WriteOnly));
    lib.close();
    QFile blocker(config.path() + "/Tessivo");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    app->moduleFolderOverride = program.path();
    const QStringList shown = exitAndListMessages(*app);
    qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_TRUE(shown.contains("Write settings file error! (window up)")) << shown.join('|').toStdString();
}

TEST_F(Startup, ASettingsFileThatIsAPipeStartsAtOnceWithDefaultsAndIsLeftAlone)
{
    ASSERT_TRUE(test::makeFifo(iniPath()));
    // Reading the pipe would wait for a writer for ever, before any window.
    EXPECT_EQ(exitAndListMessages(*app),
              QStringList{"Settings file cannot be read, settings not saved! (window up)"});
    EXPECT_FALSE(QFileInfo(iniPath()).isFile());
    EXPECT_FALSE(QFileInfo(iniPath()).isSymLink());
}

TEST_F(Startup, SettingsThatCannotBeWrittenWholeKeepTheOldFileAndTheUserIsTold)
{
    // The user's own sections and comments, and room for the first bytes only: the write
    // at exit stops in the middle, as on a full disk.
    QByteArray own = "; my notes\r\n[Mine]\r\nkeep=this\r\n";
    for (int k = 0; k < 40; ++k)
        own += "[Lang" + QByteArray::number(k) + "]\r\nName=Language " + QByteArray::number(k) + "\r\n";
    writeIni(own);
    const QStringList shown = [&] {
        test::FileSizeLimit limit(rlim_t(own.size() / 2));
        return exitAndListMessages(*app);
    }();
    EXPECT_TRUE(shown.contains("Write settings file error! (window up)")) << shown.join('|').toStdString();
    EXPECT_EQ(readIni(), own);
    EXPECT_EQ(QDir(dir.path() + "/LIB").entryList(QDir::Files | QDir::Hidden), QStringList{"Tessivo.ini"});
}
