// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TessivoApp.h"

#include "app/CommandLine.h"
#include "app/Compose.h"
#include "preview/AnimationGif.h"
#include "document/ProjectFile.h"
#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"
#include "settings/IniFile.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace tessivo {

CTessivoApp::CTessivoApp() = default;

CTessivoApp::~CTessivoApp()
{
    document_.reset();
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
}

QString CTessivoApp::reportLibraryName() { return QStringLiteral("LIB/libMorvUSB.so"); }

void CTessivoApp::setNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("QorlSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessivo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSIVO_VERSION));
}

void CTessivoApp::startCommon()
{
    setNames();

    moduleFolder_ = moduleFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                                   : moduleFolderOverride;
    const SettingsLocation location = resolveSettingsLocation(moduleFolder_);
    settingsPath_ = location.writePath;
    settingsReadPath_ = location.readPath;
    started_ = true;

    loadReportLibrary();

    IniFile ini;
    ini.load(settingsReadPath_);
    settings_.languages.ReadLanguages(ini);
    settings_.ReadSettings(ini);
}

bool CTessivoApp::InitInstance()
{
    CTessivoDlg::installAccessibility();
    startCommon();
    fillCursorTable();
    LoadGlyphFiles(std::filesystem::path((moduleFolder_ + QStringLiteral("/LIB")).toStdString()));
    reportGlyphFiles();
    documentFromSettings();

    if (runMainWindow) {
        runMainWindow();
    } else {
        drivers_ = makeSystemLinkDrivers(report_);
        CTessivoDlg dialog(*document_, settings_, driversOverride ? *driversOverride : *drivers_);
        // The settings are written while the window is still there to say it failed.
        QObject::connect(&dialog, &CTessivoDlg::exiting, &dialog, [this, &dialog] {
            const QString message = settingsWriteMessage(WriteSettingsFile());
            if (!message.isEmpty())
                ShowMessage(message, &dialog, mb::kOk | mb::kIconStop);
        });
        // The project opens once the window is up, so that its messages have a parent.
        if (!projectToOpen.isEmpty())
            QTimer::singleShot(0, &dialog, [this, &dialog] { dialog.OpenProjectFile(projectToOpen); });
        dialog.exec();
    }
    return false;
}

int CTessivoApp::RunCommandLine(const CommandLine &line)
{
    QTextStream stdOut(stdout), stdErr(stderr);
    QTextStream &out = outOverride ? *outOverride : stdOut;
    QTextStream &err = errOverride ? *errOverride : stdErr;
    switch (line.mode) {
    case CommandLine::Mode::Help:
        setNames();
        out << commandLineHelp();
        break;
    case CommandLine::Mode::Version:
        setNames();
        out << versionText();
        break;
    case CommandLine::Mode::Error:
        err << QStringLiteral("tessivo: %1\nTry 'tessivo --help' for more information.\n").arg(line.error);
        return cli::kUsage;
    default:
        break;
    }
    if (line.mode != CommandLine::Mode::Send && line.mode != CommandLine::Mode::List &&
        line.mode != CommandLine::Mode::Dump && line.mode != CommandLine::Mode::Compose) {
        out.flush();
        finishCommandLine();
        return cli::kOk;
    }

    // Without a window, what would be a message box is a line on standard error (for
    // this run only: the stream does not outlive it).
    const bool ownMessages = !platformMessage;
    if (ownMessages)
        platformMessage = [&err](const QString &text, const QString &) { err << text << '\n'; };
    startCommon();
    drivers_ = makeSystemLinkDrivers(report_);
    LinkDrivers &drivers = driversOverride ? *driversOverride : *drivers_;
    int status = cli::kOk;
    if (line.mode == CommandLine::Mode::List) {
        status = ListLinks(drivers, out, line.json);
    } else if (line.mode == CommandLine::Mode::Dump) {
        documentFromSettings();
        status = DumpProjectFile(line.project, *document_, out, err, line.json);
    } else if (line.mode == CommandLine::Mode::Compose) {
        status = composeFromCommandLine(line, drivers, err);
    } else {
        documentFromSettings();
        status = SendProjectFile(line.project, *document_, drivers, err, !errOverride && isatty(fileno(stderr)),
                                 line.quiet, inputOverride);
    }
    out.flush();
    err.flush();
    if (ownMessages)
        platformMessage = nullptr;
    finishCommandLine();
    return status;
}

int CTessivoApp::composeFromCommandLine(const CommandLine &line, LinkDrivers &drivers, QTextStream &err)
{
    const ComposeRequest request = parseComposeOptions(line.composeArguments);
    if (!request.error.isEmpty()) {
        err << QStringLiteral("tessivo: %1\n").arg(request.error);
        return request.status;
    }
    // The glyphs come as typing finds them: from the glyph files, or the installed font.
    LoadGlyphFiles(std::filesystem::path((moduleFolder_ + QStringLiteral("/LIB")).toStdString()));
    documentFromSettings();
    int status = ComposeMessage(request, *document_, err);
    if (status == 0 && !line.saveTo.isEmpty()) {
        if (!WriteProject(line.saveTo, *document_)) {
            err << QStringLiteral("tessivo: %1: cannot be written: Write file error!\n").arg(line.saveTo);
            status = cli::kFailed;
        }
    } else if (status == 0 && !line.animationTo.isEmpty()) {
        if (!WriteAnimationGif(line.animationTo, *document_)) {
            err << QStringLiteral("tessivo: %1: the animation cannot be written (no row holds a character, or "
                                  "the file cannot be made)\n").arg(line.animationTo);
            status = cli::kFailed;
        }
    } else if (status == 0 && line.sendComposed) {
        status = SendDocumentFromScript(*document_, drivers, err, !errOverride && isatty(fileno(stderr)), line.quiet);
    }
    FreeGlyphFiles();
    return status;
}

void CTessivoApp::finishCommandLine()
{
    // A script's run leaves the user's settings as they are.
    document_.reset();
    drivers_.reset();
    report_ = ReportLibrary{};
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
    started_ = false;
}

void CTessivoApp::reportGlyphFiles()
{
    QTextStream err(stderr);
    int found = 0;
    for (int file = 0; file < 5; ++file) {
        if (isBuiltinLoaded(file))
            ++found;
        else
            err << QStringLiteral("tessivo: glyph file LIB/%1 is missing or damaged\n")
                       .arg(QLatin1StringView(glyphfile::kBuiltinNames[file]));
    }
    for (int library = 0; library < 2; ++library) {
        if (isUserLibraryPresent(library))
            ++found;
        else
            err << QStringLiteral("tessivo: glyph file LIB/%1 is missing\n")
                       .arg(QLatin1StringView(glyphfile::kUserNames[library]));
    }
    // A run that only measures or checks start-up says what it found.
    if (qEnvironmentVariableIsSet("TESSIVO_EXIT_WHEN_SHOWN"))
        err << QStringLiteral("tessivo: started with %1 of 7 glyph files from %2/LIB, settings in %3\n")
                   .arg(found)
                   .arg(moduleFolder_, settingsPath_);
}

void CTessivoApp::documentFromSettings()
{
    document_ = std::make_unique<MessageDocument>(LedTypeTable(settings_.LedGap11, settings_.LedScrW11));
    document_->ChangeLedType(settings_.LedType, true);
    document_->setLedColor(settings_.LedColor);
    document_->setGlyphSource({settings_.bUserFont != 0, settings_.SysFont});
}

void CTessivoApp::settingsFromDocument()
{
    if (!document_)
        return;
    settings_.LedType = document_->ledType();
    settings_.LedColor = document_->ledColor();
    const GlyphSource &source = document_->glyphSource();
    // A source that did not change keeps the file's own value of bUserFont.
    if (source.userFont != (settings_.bUserFont != 0))
        settings_.bUserFont = source.userFont ? 1 : 0;
    settings_.SysFont = source.face;
}

void CTessivoApp::loadReportLibrary()
{
    report_ = ReportLibrary{};
    const auto show = [this](const QString &format) {
        const QString text = QString(format).replace(QStringLiteral("%s"), reportLibraryName());
        if (platformMessage)
            platformMessage(text, QStringLiteral("Information"));
        else
            QMessageBox::information(nullptr, QStringLiteral("Information"), text);
    };

    reportLibrary_.setFileName(moduleFolder_ + u'/' + reportLibraryName());
    if (!reportLibrary_.load())
        show(QStringLiteral("Can't Load %s"));

    ReportLibrary bound;
    if (reportLibrary_.isLoaded()) {
        bound.OpenUSBDevice = reinterpret_cast<ReportLibrary::OpenFn>(reportLibrary_.resolve("OpenUSBDevice"));
        bound.CloseUSBDevice = reinterpret_cast<ReportLibrary::CloseFn>(reportLibrary_.resolve("CloseUSBDevice"));
        bound.WriteUSB = reinterpret_cast<ReportLibrary::WriteFn>(reportLibrary_.resolve("WriteUSB"));
        bound.ReadUSB = reinterpret_cast<ReportLibrary::ReadFn>(reportLibrary_.resolve("ReadUSB"));
    }
    if (!bound.isBound()) {
        show(QStringLiteral("Load %s file error!"));
        if (reportLibrary_.isLoaded())
            reportLibrary_.unload();
        return;
    }
    report_ = bound;
}

void CTessivoApp::fillCursorTable()
{
    cursors_.fill(std::nullopt);
    const auto put = [this](std::initializer_list<int> slotNumbers, Qt::CursorShape shape) {
        for (int slot : slotNumbers)
            cursors_[size_t(slot)] = QCursor(shape);
    };
    put({0, 2}, Qt::SizeFDiagCursor);
    put({1, 3}, Qt::SizeBDiagCursor);
    put({4, 6}, Qt::SizeVerCursor);
    put({5, 7}, Qt::SizeHorCursor);
    // The glyph editor's own cursors: the move, copy and cross-hair shapes until it
    // brings pictures of its own.
    put({8, 12}, Qt::SizeAllCursor);
    put({9, 13}, Qt::DragCopyCursor);
    put({10, 14}, Qt::CrossCursor);
    put({15}, Qt::ArrowCursor);
    put({kIBeamCursor}, Qt::IBeamCursor);
    put({17, 18, 19, 20, 21}, Qt::CrossCursor);
}

const QCursor *CTessivoApp::cursor(int slot) const
{
    if (slot < 0 || slot >= kCursorSlots || !cursors_[size_t(slot)])
        return nullptr;
    return &*cursors_[size_t(slot)];
}

CTessivoApp::SettingsWrite CTessivoApp::WriteSettingsFile()
{
    settingsWritten_ = true;
    settingsFromDocument();
    // Values are merged into the file as it is now, so lines a user added while the
    // program ran survive; the file is replaced in one step.
    IniFile ini;
    IniFile::Status status = ini.load(settingsPath_);
    if (status == IniFile::Status::Missing && settingsReadPath_ != settingsPath_)
        status = ini.load(settingsReadPath_);  // the copy beside the program seeds it
    if (status == IniFile::Status::Unreadable)
        return SettingsWrite::Unreadable;
    settings_.WriteSettings(ini);
    LanguageTable::WriteLangCodePage(ini);
    settings_.languages.WriteLanguages(ini);
    return ini.save(settingsPath_) ? SettingsWrite::Written : SettingsWrite::Failed;
}

QString CTessivoApp::settingsWriteMessage(SettingsWrite result)
{
    switch (result) {
    case SettingsWrite::Unreadable: return QStringLiteral("Settings file cannot be read, settings not saved!");
    case SettingsWrite::Failed: return QStringLiteral("Write settings file error!");
    default: return {};
    }
}

int CTessivoApp::ExitInstance()
{
    if (started_ && !settingsWritten_) {
        const QString message = settingsWriteMessage(WriteSettingsFile());
        if (!message.isEmpty())
            ShowMessage(message, nullptr, mb::kOk | mb::kIconStop);
    }

    cursors_.fill(std::nullopt);
    document_.reset();
    drivers_.reset();
    FreeGlyphFiles();
    report_ = ReportLibrary{};
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
    started_ = false;
    settingsWritten_ = false;
    return 0;
}

} // namespace tessivo
