// The command line: what the arguments ask for, --send against the virtual display
// (every way a Send can end, each with its own exit status), --list, a project opened
// at start, and the program itself run as a script would run it.

#include "app/CommandLine.h"
#include "app/TessivoApp.h"
#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"
#include "support/FileTraps.h"
#include "support/VirtualDisplay.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <gtest/gtest.h>

namespace tessivo::test {
namespace {

CommandLine parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("tessivo"));
    return parseCommandLine(arguments);
}

bool withoutWindow(QStringList arguments)
{
    arguments.prepend(QStringLiteral("tessivo"));
    return runsWithoutWindow(arguments);
}

TEST(CommandLineArguments, TellTheModesApart)
{
    EXPECT_EQ(parse({}).mode, CommandLine::Mode::Window);
    const CommandLine open = parse({"message.LDAT"});
    EXPECT_EQ(open.mode, CommandLine::Mode::Window);
    EXPECT_EQ(open.project, "message.LDAT");
    const CommandLine send = parse({"--send", "message.LDAT"});
    EXPECT_EQ(send.mode, CommandLine::Mode::Send);
    EXPECT_EQ(send.project, "message.LDAT");
    EXPECT_EQ(parse({"--send=a b.LDAT"}).project, "a b.LDAT");
    EXPECT_EQ(parse({"--list"}).mode, CommandLine::Mode::List);
    EXPECT_EQ(parse({"-h"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(parse({"--version"}).mode, CommandLine::Mode::Version);

    for (const QStringList &wrong : {QStringList{"--send"}, QStringList{"--send", "a", "--list"},
                                     QStringList{"a.LDAT", "b.LDAT"}, QStringList{"--send", "a", "b"},
                                     QStringList{"--bogus"}}) {
        const CommandLine line = parse(wrong);
        EXPECT_EQ(line.mode, CommandLine::Mode::Error) << wrong.join(' ').toStdString();
        EXPECT_FALSE(line.error.isEmpty());
    }
}

TEST(CommandLineArguments, OnlyScriptWorkAndUnknownOptionsRunWithoutAWindow)
{
    EXPECT_FALSE(withoutWindow({}));
    EXPECT_FALSE(withoutWindow({"message.LDAT"}));
    // Qt's own options belong to the window.
    EXPECT_FALSE(withoutWindow({"-platform", "offscreen", "-style", "fusion", "message.LDAT"}));
    EXPECT_TRUE(withoutWindow({"-platform", "offscreen", "--send", "message.LDAT"}));
    EXPECT_TRUE(withoutWindow({"--list"}));
    EXPECT_TRUE(withoutWindow({"--help"}));
    EXPECT_TRUE(withoutWindow({"-v"}));
    EXPECT_TRUE(withoutWindow({"--bogus"}));  // told without a display to tell it on
}

// A project on disk, a virtual display behind the three links, and the messages of the
// work as lines.
class SendFromCommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadGlyphFiles(TESSIVO_LIB_DIR);
        ASSERT_TRUE(dir.isValid());
        display.ledType = 2;
        links.attachedTo = 1;
    }
    void TearDown() override { FreeGlyphFiles(); }

    QString project(int ledType, const QStringList &rows)
    {
        MessageDocument document;
        document.ChangeLedType(ledType, true);
        for (int k = 0; k < rows.size(); ++k) {
            document.EnableRow(k, true);
            for (const QChar c : rows[k])
                if (document.row(k).AddChar(c.unicode(), false))
                    document.row(k).MoveCaret(1, false);
        }
        const QString path = dir.filePath(QStringLiteral("message.LDAT"));
        EXPECT_TRUE(WriteProject(path, document));
        return path;
    }
    int send(const QString &path)
    {
        QString text;
        QTextStream stream(&text);
        MessageDocument document;
        const int status = SendProjectFile(path, document, links, stream);
        stream.flush();
        lines = text.split(u'\n', Qt::SkipEmptyParts);
        return status;
    }

    QTemporaryDir dir;
    VirtualDisplay display;
    VirtualLinks links{display};
    QStringList lines;
};

TEST_F(SendFromCommandLine, SendsTheProjectWithProgressAndSaysSo)
{
    const QString path = project(ledtype::k16, {"Hello", "LED fan"});
    ASSERT_EQ(send(path), cli::kOk) << lines.join('|').toStdString();

    MessageDocument expected;
    expected.ApplyProject(*ReadProject(path));
    DeviceImage image;
    ASSERT_TRUE(BuildDeviceImage(expected, image));
    EXPECT_EQ(display.announcedLength, image.length);
    // Whole packets of five bytes: a few of the closing zeros may stay behind.
    const int sentBytes = image.length / 5 * 5;
    EXPECT_EQ(display.image, std::vector<uint8_t>(image.buffer.begin(), image.buffer.begin() + sentBytes));
    EXPECT_EQ(display.badChecksums, 0);

    EXPECT_EQ(lines.first(), "Display connected (feature reports)");
    EXPECT_TRUE(lines.contains(QStringLiteral("Sending: 100% (%1 of %1 packets)").arg(image.length / 5)))
        << lines.join('|').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Sent %1 bytes to the display.").arg(image.length));
    // A log gets a line a tenth, not one per packet.
    EXPECT_LE(lines.filter(QStringLiteral("Sending:")).size(), 11);
}

TEST_F(SendFromCommandLine, EveryFailureHasItsOwnStatusAndMessage)
{
    const QString path = project(ledtype::k16, {"Hi"});
    struct Case {
        const char *what;
        std::function<void()> arrange;
        int status;
        QString firstError;
    };
    const Case cases[] = {
        // The display refuses the length command three times: never a success.
        {"refused length", [this] { display.statusScript = {0x85, 0x85, 0x85}; }, cli::kWriteFailure,
         "USB Write Data Failure!"},
        {"unknown status", [this] { display.statusScript = {0x80, 0x41}; }, cli::kDeviceStatus,
         "System Error or Application Program Destruction! Error ID:A"},
        // Three failed tries of the length command; the first failure names the cause.
        {"write fails", [this] { display.failWrites = 3; }, cli::kWriteError, "USB Write Data Error"},
        {"read fails", [this] { display.failReads = 3; }, cli::kReadError, "USB Read Data Error"},
    };
    // One failed try is made good by the next: the image arrives.
    display.failWrites = 1;
    EXPECT_EQ(send(path), cli::kOk) << lines.join('|').toStdString();
    for (const Case &c : cases) {
        display = VirtualDisplay();
        display.ledType = 2;
        c.arrange();
        EXPECT_EQ(send(path), c.status) << c.what;
        EXPECT_TRUE(lines.contains(c.firstError)) << c.what << ": " << lines.join('|').toStdString();
        EXPECT_FALSE(lines.last().startsWith("Sent")) << c.what;
    }
}

TEST_F(SendFromCommandLine, WhatTheProjectHoldsIsToldBeforeAnyDisplayIsAsked)
{
    links.attachedTo = -1;
    EXPECT_EQ(send(dir.filePath("missing.LDAT")), cli::kOpenError);
    EXPECT_EQ(lines, QStringList{QStringLiteral("Open file error! (%1)").arg(dir.filePath("missing.LDAT"))});

    EXPECT_EQ(send(project(ledtype::k16, {})), cli::kNoData);
    EXPECT_EQ(lines, QStringList{"No Data Send!"});

    QStringList full;
    for (int k = 0; k < 12; ++k)
        full << QStringLiteral("MMMMMMMMMMMMMMMMMM");
    EXPECT_EQ(send(project(ledtype::k16, full)), cli::kTooLarge);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("IC ROM Over (")) << lines[0].toStdString();

    EXPECT_EQ(send(project(ledtype::k16, {"Hi"})), cli::kNoDisplay);
    EXPECT_EQ(lines, QStringList{"No display connected"});
    links.access = QStringLiteral("A display (USB 0c45:7160) is plugged in but cannot be opened");
    EXPECT_EQ(send(project(ledtype::k16, {"Hi"})), cli::kNoDisplay);
    EXPECT_EQ(lines, QStringList{links.access});
}

// A display that answers the poll and is gone when the download opens it.
class VanishingLinks : public VirtualLinks {
public:
    using VirtualLinks::VirtualLinks;
    void *OpenUSBDevice(int vendorId, int productId) override
    {
        if (++opens > 1)
            attachedTo = -1;
        return VirtualLinks::OpenUSBDevice(vendorId, productId);
    }
    int opens = 0;
};

TEST_F(SendFromCommandLine, ADisplayGoneBetweenPollAndDownloadIsAConnectFailure)
{
    VanishingLinks vanishing(display);
    vanishing.attachedTo = 0;
    QString text;
    QTextStream stream(&text);
    MessageDocument document;
    EXPECT_EQ(SendProjectFile(project(ledtype::k16, {"Hi"}), document, vanishing, stream), cli::kConnectFailure);
    stream.flush();
    EXPECT_TRUE(text.contains("USB Device Connect Failure!!!")) << text.toStdString();
    EXPECT_EQ(vanishing.openReportHandles, 0);
}

TEST(ListFromCommandLine, NamesEveryLinkAndTheAccessHint)
{
    VirtualDisplay display;
    VirtualLinks links(display);
    QString text;
    QTextStream out(&text);
    links.attachedTo = 2;
    EXPECT_EQ(ListLinks(links, out), cli::kOk);
    out.flush();
    EXPECT_EQ(text, "HID reports (link 0): no display\n"
                    "feature reports (link 1): no display\n"
                    "CH375 (link 2): a display answers\n");
    EXPECT_EQ(links.ch375Opens, links.ch375Closes);  // asking leaves nothing open

    text.clear();
    links.attachedTo = -1;
    links.bound = false;
    links.access = QStringLiteral("A display (USB 1d57:ac01) is plugged in but cannot be opened");
    EXPECT_EQ(ListLinks(links, out), cli::kNoDisplay);
    out.flush();
    EXPECT_TRUE(text.startsWith("HID reports (link 0): not available")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(links.access + "\n")) << text.toStdString();
}

// The application object run for a script: the settings stay as they are.
TEST(CommandLineApp, ScriptWorkLeavesTheSettingsAlone)
{
    QTemporaryDir program;
    QDir(program.path()).mkdir("LIB");
    VirtualDisplay display;
    display.ledType = 2;
    VirtualLinks links(display);
    links.attachedTo = 0;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    CTessivoApp app;
    app.moduleFolderOverride = program.path();
    app.driversOverride = &links;
    app.outOverride = &out;
    app.errOverride = &err;
    CommandLine line;
    line.mode = CommandLine::Mode::List;
    EXPECT_EQ(app.RunCommandLine(line), cli::kOk);
    EXPECT_TRUE(outText.contains("HID reports (link 0): a display answers")) << outText.toStdString();
    // The missing report library is said on standard error, not in a message box.
    EXPECT_TRUE(errText.contains("Can't Load LIB/libMorvUSB.so")) << errText.toStdString();
    EXPECT_FALSE(QFileInfo::exists(program.path() + "/LIB/Tessivo.ini"));

    line.mode = CommandLine::Mode::Error;
    line.error = QStringLiteral("Unknown option 'bogus'.");
    EXPECT_EQ(app.RunCommandLine(line), cli::kUsage);
    EXPECT_TRUE(errText.contains("tessivo: Unknown option 'bogus'.")) << errText.toStdString();
}

TEST(CommandLineApp, AProjectNamedAtStartIsOpenOnceTheWindowIsUp)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    QTemporaryDir program;
    QDir(program.path()).mkdir("LIB");
    MessageDocument saved;
    saved.ChangeLedType(ledtype::k11, true);
    for (const char c : {'O', 'K'})
        if (saved.row(0).AddChar(uint16_t(c), false))
            saved.row(0).MoveCaret(1, false);
    const QString path = program.filePath("start.LDAT");
    ASSERT_TRUE(WriteProject(path, saved));
    FreeGlyphFiles();

    VirtualDisplay display;
    VirtualLinks links(display);
    links.attachedTo = -1;
    CTessivoApp app;
    app.moduleFolderOverride = program.path();
    app.platformMessage = [](const QString &, const QString &) {};
    app.driversOverride = &links;
    app.projectToOpen = path;
    int rows = -1, type = -1;
    QStringList shown;
    setMessageBoxHandler([&shown](const QString &text, unsigned) {
        shown << text;
        return mb::kIdOk;
    });
    // Leaves once the window is up and what start-up queued has run.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<CTessivoDlg *>(QApplication::activeModalWidget())) {
                rows = dialog->document().row(0).n();
                type = dialog->document().ledType();
                dialog->OnExit();
            }
        });
    });
    EXPECT_FALSE(app.InitInstance());
    app.ExitInstance();
    setMessageBoxHandler({});
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(type, ledtype::k11);
    EXPECT_TRUE(shown.isEmpty()) << shown.join('|').toStdString();
}

// The program as a script runs it: a process without a window system, the stand-in
// report library, no display.
class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath("LIB"));
        const QString built = QFileInfo(QStringLiteral(TESSIVO_PROGRAM)).absolutePath();
        ASSERT_TRUE(QFile::copy(QStringLiteral(TESSIVO_PROGRAM), folder.filePath("tessivo")));
        ASSERT_TRUE(QFile::copy(built + "/libFeltrix.so", folder.filePath("libFeltrix.so")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_REPORT_COMPLETE), folder.filePath("LIB/libMorvUSB.so")));
    }
    int run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No window system at all: the work must not need one.
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(environment);
        process.start(folder.filePath("tessivo"), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir folder;
    QString out, err;
};

TEST_F(ProgramProcess, AnswersWithoutAWindowSystem)
{
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out, "Tessivo " TESSIVO_VERSION "\n");
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out.contains("--send <FILE>")) << out.toStdString();
    EXPECT_EQ(run({"--list"}), cli::kNoDisplay);
    EXPECT_TRUE(out.contains("feature reports (link 1): no display")) << out.toStdString();
    EXPECT_EQ(run({"--send", folder.filePath("none.LDAT")}), cli::kOpenError);
    EXPECT_EQ(run({"--send"}), cli::kUsage);
    EXPECT_TRUE(err.contains("Try 'tessivo --help'")) << err.toStdString();
    EXPECT_EQ(run({"--bogus"}), cli::kUsage);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("LIB/Tessivo.ini")));
}

TEST_F(ProgramProcess, APipeNamedAsAProjectIsRefusedAtOnce)
{
    const QString fifo = folder.filePath("x.LDAT");
    ASSERT_TRUE(makeFifo(fifo));
    EXPECT_EQ(run({"--send", fifo}), cli::kOpenError);
    EXPECT_TRUE(err.contains("Open file error!")) << err.toStdString();
}

TEST(CommandLineApp, APipeNamedAtStartIsRefusedOnceTheWindowIsUp)
{
    QTemporaryDir program;
    QDir(program.path()).mkdir("LIB");
    const QString fifo = program.filePath("x.LDAT");
    ASSERT_TRUE(makeFifo(fifo));
    VirtualDisplay display;
    VirtualLinks links(display);
    links.attachedTo = -1;
    CTessivoApp app;
    app.moduleFolderOverride = program.path();
    app.platformMessage = [](const QString &, const QString &) {};
    app.driversOverride = &links;
    app.projectToOpen = fifo;
    QStringList shown;
    bool windowUp = false;
    setMessageBoxHandler([&](const QString &text, unsigned) {
        shown << text;
        return mb::kIdOk;
    });
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<CTessivoDlg *>(QApplication::activeModalWidget())) {
                windowUp = dialog->isVisible();
                dialog->OnExit();
            }
        });
    });
    EXPECT_FALSE(app.InitInstance());
    app.ExitInstance();
    setMessageBoxHandler({});
    EXPECT_TRUE(windowUp);
    EXPECT_EQ(shown, QStringList{"Open file error!"});
}

} // namespace
} // namespace tessivo::test
