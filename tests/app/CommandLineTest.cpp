// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line: what the arguments ask for, --send against the virtual display
// (every way a Send can end, each with its own exit status), --list, a project opened
// at start, and the program itself run as a script would run it.

#include "app/CommandLine.h"
#include "app/Compose.h"
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
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

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
        const QStringList errors = lines.filter(QStringLiteral("tessivo: "));
        ASSERT_FALSE(errors.isEmpty()) << c.what;
        EXPECT_TRUE(errors.first().endsWith(": " + c.firstError)) << c.what << ": " << lines.join('|').toStdString();
        EXPECT_FALSE(lines.last().startsWith("Sent")) << c.what;
    }
}

TEST_F(SendFromCommandLine, WhatTheProjectHoldsIsToldBeforeAnyDisplayIsAsked)
{
    links.attachedTo = -1;
    EXPECT_EQ(send(project(ledtype::k16, {})), cli::kNoData);
    EXPECT_EQ(lines, QStringList{"tessivo: no row of the project holds a character: No Data Send!"});

    QStringList full;
    for (int k = 0; k < 12; ++k)
        full << QStringLiteral("MMMMMMMMMMMMMMMMMM");
    EXPECT_EQ(send(project(ledtype::k16, full)), cli::kTooLarge);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("tessivo: the image takes ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(" bytes, more than a display holds: IC ROM Over")) << lines[0].toStdString();

    EXPECT_EQ(send(project(ledtype::k16, {"Hi"})), cli::kNoDisplay);
    EXPECT_EQ(lines, QStringList{"tessivo: no display answers: No display connected"});
    links.access = QStringLiteral("A display (USB 0c45:7160) is plugged in but cannot be opened");
    EXPECT_EQ(send(project(ledtype::k16, {"Hi"})), cli::kNoDisplay);
    EXPECT_EQ(lines.last(), "tessivo: " + links.access);
}

TEST_F(SendFromCommandLine, EveryReasonAProjectCannotBeOpenedIsToldInWords)
{
    links.attachedTo = -1;
    const auto firstLine = [this](const QString &path) {
        EXPECT_EQ(send(path), cli::kOpenError) << path.toStdString();
        return lines.value(0);
    };
    EXPECT_EQ(firstLine(dir.filePath("missing.LDAT")),
              "tessivo: " + dir.filePath("missing.LDAT") + ": no such file: Open file error!");
    EXPECT_EQ(firstLine(dir.path()), "tessivo: " + dir.path() + ": is a folder, not a project: Open file error!");
    const QString damaged = dir.filePath("damaged.LDAT");
    ASSERT_TRUE(writeBytes(damaged, QByteArray("not a project at all")));
    EXPECT_EQ(firstLine(damaged), "tessivo: " + damaged + ": not a Tessivo project, or damaged: Open file error!");
    const QString fifo = dir.filePath("pipe.LDAT");
    ASSERT_TRUE(makeFifo(fifo));
    EXPECT_TRUE(firstLine(fifo).contains(": not a regular file")) << lines.join('|').toStdString();
    if (::geteuid() != 0) {
        const QString locked = dir.filePath("locked.LDAT");
        ASSERT_TRUE(writeBytes(locked, "x"));
        QFile::setPermissions(locked, QFileDevice::Permissions());
        EXPECT_TRUE(firstLine(locked).contains(": cannot be read")) << lines.join('|').toStdString();
    }
}

TEST_F(SendFromCommandLine, AProjectFromStandardInputAndQuietProgress)
{
    const QString path = project(ledtype::k16, {"Piped"});
    QBuffer input;
    input.setData(fileBytes(path));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    QString text;
    QTextStream stream(&text);
    MessageDocument document;
    EXPECT_EQ(SendProjectFile(QStringLiteral("-"), document, links, stream, false, true, &input), cli::kOk);
    stream.flush();
    EXPECT_TRUE(text.isEmpty()) << "quiet: " << text.toStdString();
    EXPECT_EQ(display.announcedLength > 0, true);

    QBuffer garbage;
    garbage.setData("garbage");
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    EXPECT_EQ(SendProjectFile(QStringLiteral("-"), document, links, stream, false, true, &garbage), cli::kOpenError);
    stream.flush();
    EXPECT_EQ(text, "tessivo: standard input: not a Tessivo project, or damaged: Open file error!\n");
}

TEST_F(SendFromCommandLine, ADumpTellsWhatAProjectHoldsAndRoundTripsToItsRows)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    MessageDocument saved;
    saved.ChangeLedType(ledtype::k16, true);
    saved.setUseMiddle(true);
    const QStringList texts = {"Hello", "a\\b"};
    for (int k = 0; k < texts.size(); ++k) {
        saved.EnableRow(k, true);
        for (const QChar c : texts[k])
            if (saved.row(k).AddChar(c.unicode(), false))
                saved.row(k).MoveCaret(1, false);
    }
    saved.row(1).InsertRecords(saved.row(0).ExtractRecords(1, 0).data(), 1);  // a copy of "H"
    ChrRecord symbol = emptyRecord();
    ASSERT_TRUE(GetGlyph16(1, symbol));
    symbol.code = 1;
    saved.row(1).InsertRecords(&symbol, 1);
    saved.setEffects(0, {2, 1, 4});
    const QString path = dir.filePath("dump.LDAT");
    ASSERT_TRUE(WriteProject(path, saved));

    QString text, errors;
    QTextStream out(&text), err(&errors);
    MessageDocument document;
    EXPECT_EQ(DumpProjectFile(path, document, out, err), cli::kOk);
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    // Typing into row 2 opened row 3, which the project keeps, empty.
    ASSERT_EQ(lines.size(), 5) << text.toStdString();
    EXPECT_TRUE(lines[4].startsWith("Row 3: \"\", 0 columns")) << lines[4].toStdString();
    EXPECT_EQ(lines[0], "LED type: 16 LEDs");
    EXPECT_EQ(lines[1], "Middle effects: yes");
    const LanguageRecord &english = builtinEnglish();
    EXPECT_EQ(lines[2], QStringLiteral("Row 1: \"Hello\", %1 columns; opening %2, middle %3, closing %4")
                            .arg(saved.row(0).usedWidth())
                            .arg(fieldText(english.B[2]), fieldText(english.D[1]), fieldText(english.E[4])));
    EXPECT_TRUE(lines[3].startsWith("Row 2: \"a\\U+005CbH\\U+0001\"")) << lines[3].toStdString();

    // JSON, read back to the same rows.
    text.clear();
    EXPECT_EQ(DumpProjectFile(path, document, out, err, true), cli::kOk);
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    EXPECT_EQ(json["ledType"].toInt(), 16);
    EXPECT_TRUE(json["middleEffects"].toBool());
    const QJsonArray rows = json["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(rows[k].toObject()["characters"].toInt(), saved.row(k).n()) << k;
        EXPECT_EQ(rows[k].toObject()["columns"].toInt(), saved.row(k).usedWidth()) << k;
    }
    EXPECT_EQ(rows[0].toObject()["text"].toString(), "Hello");

    EXPECT_EQ(DumpProjectFile(dir.filePath("none.LDAT"), document, out, err), cli::kOpenError);
    err.flush();
    EXPECT_TRUE(errors.startsWith("tessivo: " + dir.filePath("none.LDAT") + ": no such file")) << errors.toStdString();
    FreeGlyphFiles();
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

TEST(ListFromCommandLine, ALineForEachDisplayWithItsIdentityNodeAndState)
{
    VirtualDisplay display;
    VirtualLinks links(display);
    QString text;
    QTextStream out(&text);
    links.attachedTo = 2;
    links.plugged = {{0x1a86, 0x5537, 2, {"/dev/bus/usb/001/007"}, {}},
                     {0x1d57, 0xac01, 1, {"/dev/bus/usb/001/009", "/dev/hidraw3"}, "/dev/hidraw3"}};
    EXPECT_EQ(ListLinks(links, out), cli::kOk);
    out.flush();
    const QStringList listed = text.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 2) << text.toStdString();
    EXPECT_EQ(listed[0], "CH375 (link 2): USB 1a86:5537 at /dev/bus/usb/001/007: answers");
    EXPECT_TRUE(listed[1].startsWith("feature reports (link 1): USB 1d57:ac01 at /dev/hidraw3: cannot be opened: "
                                     "/dev/hidraw3 is not accessible."))
        << listed[1].toStdString();
    EXPECT_TRUE(listed[1].contains("plugdev")) << "the way for cron and ssh";
    EXPECT_TRUE(listed[1].contains("desktop session"));
    EXPECT_EQ(links.ch375Opens, links.ch375Closes);  // asking leaves nothing open

    // The same as JSON, read back.
    text.clear();
    EXPECT_EQ(ListLinks(links, out, true), cli::kOk);
    out.flush();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    ASSERT_TRUE(json.isArray());
    const QJsonArray array = json.array();
    ASSERT_EQ(array.size(), 2);
    EXPECT_EQ(array[0].toObject()["id"].toString(), "1a86:5537");
    EXPECT_EQ(array[0].toObject()["link"].toInt(), 2);
    EXPECT_EQ(array[0].toObject()["linkName"].toString(), "CH375");
    EXPECT_TRUE(array[0].toObject()["answers"].toBool());
    EXPECT_EQ(array[1].toObject()["path"].toString(), "/dev/hidraw3");
    EXPECT_FALSE(array[1].toObject()["accessible"].toBool());

    // Nothing plugged in, nothing answers.
    text.clear();
    links.attachedTo = -1;
    links.plugged.clear();
    EXPECT_EQ(ListLinks(links, out), cli::kNoDisplay);
    out.flush();
    EXPECT_EQ(text, "No display is plugged in.\n");
    text.clear();
    EXPECT_EQ(ListLinks(links, out, true), cli::kNoDisplay);
    out.flush();
    EXPECT_EQ(QJsonDocument::fromJson(text.toUtf8()).array().size(), 0);
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
    int run(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No window system at all: the work must not need one.
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(environment);
        process.start(folder.filePath("tessivo"), arguments);
        process.write(input);
        process.closeWriteChannel();
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
    EXPECT_EQ(run({"--list", "--json"}), cli::kNoDisplay);
    EXPECT_TRUE(QJsonDocument::fromJson(out.toUtf8()).isArray()) << out.toStdString();
    EXPECT_EQ(run({"--json"}), cli::kUsage);
    EXPECT_EQ(run({"--dump", folder.filePath("none.LDAT")}), cli::kOpenError);
    EXPECT_EQ(run({"--dump", folder.filePath("x.LDAT"), "--list"}), cli::kUsage);
    EXPECT_EQ(run({"--quiet"}), cli::kUsage);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(run({"--send", folder.filePath("none.LDAT")}), cli::kOpenError);
    EXPECT_TRUE(err.startsWith("tessivo: " + folder.filePath("none.LDAT") + ": no such file")) << err.toStdString();
    EXPECT_EQ(run({"--send", "-"}, "not a project"), cli::kOpenError);
    EXPECT_TRUE(err.contains("standard input")) << err.toStdString();
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out.contains("   1  another failure")) << out.toStdString();
    // The window without a display server: one line, status 1, no abort.
    EXPECT_EQ(run({}), cli::kFailed);
    EXPECT_EQ(err, "tessivo: no display server; use --send or --list, or set DISPLAY\n");
    EXPECT_EQ(run({"--send"}), cli::kUsage);
    EXPECT_TRUE(err.contains("Try 'tessivo --help'")) << err.toStdString();
    EXPECT_EQ(run({"--bogus"}), cli::kUsage);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("LIB/Tessivo.ini")));
}

TEST_F(ProgramProcess, AMessageComposedFromTextsIsSavedAsTheWindowWouldSaveIt)
{
    for (const QFileInfo &file : QDir(QStringLiteral(TESSIVO_LIB_DIR)).entryInfoList({"*.bin", "*.fnt"}))
        ASSERT_TRUE(QFile::copy(file.filePath(), folder.filePath("LIB/" + file.fileName())));
    const QString saved = folder.filePath("composed.LDAT");
    EXPECT_EQ(run({"--led", "16", "--text", "Hello", "--close", "6", "--text", "World", "--save", saved}), cli::kOk)
        << err.toStdString();
    const std::optional<Project> project = ReadProject(saved);
    ASSERT_TRUE(project);
    EXPECT_GE(project->rowCount(), 2);
    EXPECT_EQ(project->count(0), 5);
    EXPECT_EQ(project->effects(1).closing, 6);
    EXPECT_EQ(run({"--dump", saved}), cli::kOk);
    EXPECT_TRUE(out.contains("Row 2: \"World\"")) << out.toStdString();
    EXPECT_EQ(run({"--text", "Hi", "--animation", folder.filePath("fan.gif")}), cli::kOk) << err.toStdString();
    EXPECT_GT(QImageReader(folder.filePath("fan.gif")).imageCount(), 1);
    EXPECT_EQ(run({"--text", "x", "--open", "sideways", "--save", saved}), cli::kBadEffect);
    EXPECT_TRUE(err.contains("tessivo: --open sideways: no such effect")) << err.toStdString();
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
