#include "app/TessivoApp.h"

#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"
#include "settings/IniFile.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tessivo {

CTessivoApp::CTessivoApp() = default;

CTessivoApp::~CTessivoApp()
{
    document_.reset();
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
}

QString CTessivoApp::reportLibraryName() { return QStringLiteral("LIB/libMorvUSB.so"); }

bool CTessivoApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("QorlSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessivo"));

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
    fillCursorTable();
    LoadGlyphFiles(std::filesystem::path((moduleFolder_ + QStringLiteral("/LIB")).toStdString()));
    documentFromSettings();

    if (runMainWindow) {
        runMainWindow();
    } else {
        drivers_ = makeSystemLinkDrivers(report_);
        CTessivoDlg dialog(*document_, settings_, *drivers_);
        // The settings are written while the window is still there to say it failed.
        QObject::connect(&dialog, &CTessivoDlg::exiting, &dialog, [this, &dialog] {
            const QString message = settingsWriteMessage(WriteSettingsFile());
            if (!message.isEmpty())
                ShowMessage(message, &dialog, mb::kOk | mb::kIconStop);
        });
        dialog.exec();
    }
    return false;
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
