// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "app/Compose.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "link/DeviceImage.h"
#include "main/DialogTexts.h"
#include "main/SendCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace tessivo {
namespace {

struct Options {
    QCommandLineOption send{QStringLiteral("send"),
                            QStringLiteral("Send the project FILE to the display without opening a window, "
                                           "and exit."),
                            QStringLiteral("FILE")};
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("List the displays plugged in and whether each answers, and exit.")};
    QCommandLineOption dump{QStringLiteral("dump"),
                            QStringLiteral("Print what the project FILE holds (rows, effects, characters), and exit."),
                            QStringLiteral("FILE")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("With --list or --dump: print JSON.")};
    QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                             QStringLiteral("With --send: print no progress, only errors.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Display this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Display version information and exit.")};
};

void prepare(QCommandLineParser &parser, const Options &options)
{
    parser.setApplicationDescription(
        QStringLiteral("Compose messages for a spinning LED fan display and send them to it.\n"
                       "--send - reads the project from standard input.\n"
                       "\n"
                       "Exit status:\n"
                       "Compose a message: --text TEXT (a row; again for the next) [--led 7|11|16]\n"
                       "[--font FAMILY] [--open|--middle|--close EFFECT] (for the rows after it)\n"
                       "[--no-scale] and --send, --save FILE or --animation FILE.gif (the fan playing\n"
                       "the rows once, as the simulation shows it). :PATH: in a text puts a picture\n"
                       "there, :: a colon.\n"
                       "\n"
                       "   0  sent (--list: a display answers)\n"
                       "   1  another failure (the window: no display server)\n"
                       "   2  wrong arguments\n"
                       "   3  the project cannot be opened\n"
                       "   4  no row holds text\n"
                       "   5  no display answers\n"
                       "   6  the image is too large for the display\n"
                       "   7  the display cannot be opened\n"
                       "   8  a write to the display failed\n"
                       "   9  a read from the display failed\n"
                       "  10  the display answered with an error status\n"
                       "  11  the display did not take the image\n"
                       "  12  --text: an effect no list holds\n"
                       "  13  --text: more than twelve rows\n"
                       "  14  --text: a picture that cannot be read\n"
                       "  15  --text: a row over its limits"));
    // Qt's own options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(
        {options.send, options.list, options.dump, options.json, options.quiet, options.help, options.version});
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project (.LDAT) to open."),
                                 QStringLiteral("[project]"));
}


} // namespace

cli::Status cli::statusOf(SendFailure failure)
{
    switch (failure) {
    case SendFailure::NoData: return kNoData;
    case SendFailure::TooLarge: return kTooLarge;
    case SendFailure::ConnectFailure: return kConnectFailure;
    case SendFailure::WriteError: return kWriteError;
    case SendFailure::ReadError: return kReadError;
    case SendFailure::DeviceStatus: return kDeviceStatus;
    case SendFailure::WriteFailure: return kWriteFailure;
    default: return kFailed;
    }
}

bool runsWithoutWindow(const QStringList &arguments)
{
    if (asksToCompose(arguments))
        return true;
    // The options that QGuiApplication and its X11 platform take for themselves.
    static const QStringList qtOptions = {
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"), QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("qwindowtitle"), QStringLiteral("reverse"),
        QStringLiteral("session"), QStringLiteral("style"), QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"), QStringLiteral("display"), QStringLiteral("geometry"),
        QStringLiteral("name"), QStringLiteral("title"), QStringLiteral("visual"), QStringLiteral("ncols"),
        QStringLiteral("cmap"), QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("fn"),
        QStringLiteral("font"), QStringLiteral("bg"), QStringLiteral("background"), QStringLiteral("fg"),
        QStringLiteral("foreground"), QStringLiteral("btn"), QStringLiteral("button"), QStringLiteral("im"),
        QStringLiteral("inputstyle")};
    const Options options;
    QCommandLineParser parser;
    prepare(parser, options);
    parser.parse(arguments);
    // An option that neither the program nor Qt knows is reported without a window,
    // which may not even be possible.
    for (const QString &unknown : parser.unknownOptionNames())
        if (!qtOptions.contains(unknown))
            return true;
    return parser.isSet(options.send) || parser.isSet(options.list) || parser.isSet(options.dump) ||
           parser.isSet(options.help) || parser.isSet(options.version) || parser.isSet(options.json) ||
           parser.isSet(options.quiet);
}

namespace {

/// The command line of a message composed from texts.
CommandLine composeLine(const QStringList &arguments)
{
    CommandLine line;
    line.mode = CommandLine::Mode::Compose;
    line.composeArguments = arguments;
    const ComposeOptions split = splitComposeOptions(arguments);
    if (!split.error.isEmpty()) {
        line.mode = CommandLine::Mode::Error;
        line.error = split.error;
        return line;
    }
    int outputs = 0;
    for (const auto &[option, value] : split.options) {
        if (option == QStringLiteral("--save")) {
            line.saveTo = value;
            ++outputs;
        } else if (option == QStringLiteral("--animation")) {
            line.animationTo = value;
            ++outputs;
        } else if (option == QStringLiteral("--send")) {
            line.sendComposed = true;
            ++outputs;
        } else if (option == QStringLiteral("--quiet") || option == QStringLiteral("-q")) {
            line.quiet = true;
        }
    }
    if (outputs != 1) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("A message composed with --text goes to --send, --save FILE or --animation "
                                    "FILE.gif (one of them).");
    }
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    if (asksToCompose(arguments))
        return composeLine(arguments);
    const Options options;
    QCommandLineParser parser;
    prepare(parser, options);
    CommandLine line;
    if (!parser.parse(arguments)) {
        line.mode = CommandLine::Mode::Error;
        line.error = parser.errorText();
        return line;
    }
    const QStringList positional = parser.positionalArguments();
    const int modes = int(parser.isSet(options.send)) + int(parser.isSet(options.list)) + int(parser.isSet(options.dump));
    if (parser.isSet(options.help)) {
        line.mode = CommandLine::Mode::Help;
    } else if (parser.isSet(options.version)) {
        line.mode = CommandLine::Mode::Version;
    } else if (modes > 1) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("--send, --list and --dump cannot be combined.");
    } else if (positional.size() > (modes == 0 ? 1 : 0)) {
        line.mode = CommandLine::Mode::Error;
        line.error = modes == 0 ? QStringLiteral("Only one project can be opened.")
                                : QStringLiteral("Unexpected argument: %1").arg(positional.first());
    } else if (parser.isSet(options.json) && !parser.isSet(options.list) && !parser.isSet(options.dump)) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("--json goes with --list or --dump.");
    } else if (parser.isSet(options.quiet) && !parser.isSet(options.send)) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("--quiet goes with --send.");
    } else if (parser.isSet(options.send)) {
        line.mode = CommandLine::Mode::Send;
        line.project = parser.value(options.send);
        line.quiet = parser.isSet(options.quiet);
    } else if (parser.isSet(options.list)) {
        line.mode = CommandLine::Mode::List;
        line.json = parser.isSet(options.json);
    } else if (parser.isSet(options.dump)) {
        line.mode = CommandLine::Mode::Dump;
        line.project = parser.value(options.dump);
        line.json = parser.isSet(options.json);
    } else if (!positional.isEmpty()) {
        line.project = positional.first();
    }
    return line;
}

QString commandLineHelp()
{
    const Options options;
    QCommandLineParser parser;
    prepare(parser, options);
    return parser.helpText();
}

QString versionText()
{
    return QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}

namespace {

/// An error line: the program's name, what went wrong in words, then the message the
/// window would show.
QString errorLine(const QString &what, const QString &message)
{
    return QStringLiteral("tessivo: %1: %2\n").arg(what, message);
}

/// What a failed Send's first message says went wrong, in words.
QString sendFailureWords(SendFailure failure)
{
    switch (failure) {
    case SendFailure::ConnectFailure: return QStringLiteral("the display cannot be opened");
    case SendFailure::WriteError: return QStringLiteral("a write to the display failed");
    case SendFailure::ReadError: return QStringLiteral("a read from the display failed");
    case SendFailure::DeviceStatus: return QStringLiteral("the display answered with an error status");
    case SendFailure::WriteFailure: return QStringLiteral("the display did not take the image");
    default: return QStringLiteral("sending failed");
    }
}

/// What detection and download show on the command line: progress lines (none when
/// quiet; a terminal redraws one in place, a log gets one every tenth), and error
/// lines that name the program and what went wrong.
class ScriptView : public LinkView {
public:
    ScriptView(QTextStream &out, bool interactive, bool quiet) : out_(out), interactive_(interactive), quiet_(quiet) {}
    QStringList errors;
    QString linkState;

    void setProgressRange(int minimum, int maximum) override
    {
        minimum_ = minimum;
        maximum_ = maximum;
        shown_ = -1;
    }
    void setProgressPosition(int position) override
    {
        const int steps = maximum_ - minimum_ + 1;
        if (quiet_ || steps <= 0 || position < minimum_)
            return;
        const int done = position - minimum_ + 1;
        const int percent = int(int64_t(done) * 100 / steps);
        if (interactive_) {
            out_ << QStringLiteral("\rSending: %1% (%2 of %3 packets)").arg(percent).arg(done).arg(steps);
            if (done == steps)
                out_ << '\n';
            out_.flush();
        } else if (percent / 10 != shown_) {
            shown_ = percent / 10;
            out_ << QStringLiteral("Sending: %1% (%2 of %3 packets)\n").arg(percent).arg(done).arg(steps);
            out_.flush();
        }
    }
    void showLinkState(bool, const QString &toolTip) override { linkState = toolTip; }
    void setSendEnabled(bool) override {}
    void startProgressReset() override {}
    void stopProgressReset() override {}
    void showError(const QString &text) override
    {
        // An error does not go on the line a terminal's progress is redrawn on.
        if (interactive_ && !quiet_ && minimum_ <= maximum_)
            out_ << '\n';
        errors << text;
        out_ << errorLine(sendFailureWords(sendFailureOf(text)), text);
        out_.flush();
    }

private:
    QTextStream &out_;
    bool interactive_;
    bool quiet_;
    int minimum_ = 0, maximum_ = -1;
    int shown_ = -1;
};

} // namespace

int SendProjectFile(const QString &path, MessageDocument &document, LinkDrivers &drivers,
                    QTextStream &messages, bool interactive, bool quiet, QIODevice *input)
{
    std::optional<Project> project;
    if (path == QStringLiteral("-")) {
        QFile standardInput;
        QIODevice *from = input;
        if (!from && standardInput.open(stdin, QIODevice::ReadOnly))
            from = &standardInput;
        if (from)
            project = ParseProject(from->read(longestProject()));
        if (!project) {
            messages << errorLine(QStringLiteral("standard input: not a Tessivo project, or damaged"),
                                  QStringLiteral("Open file error!"));
            return cli::kOpenError;
        }
    } else {
        ProjectReadError error = ProjectReadError::None;
        project = ReadProject(path, error);
        if (!project) {
            messages << errorLine(path + QStringLiteral(": ") + projectReadErrorText(error),
                                  QStringLiteral("Open file error!"));
            return cli::kOpenError;
        }
    }
    const std::vector<CutRow> cut = document.ApplyProject(*project);
    if (!cut.empty())
        messages << QStringLiteral("tessivo: rows of another width: Characters that did not fit were left out: %1\n")
                        .arg(cutRowsList(cut));
    return SendDocumentFromScript(document, drivers, messages, interactive, quiet);
}

int SendDocumentFromScript(MessageDocument &document, LinkDrivers &drivers, QTextStream &messages, bool interactive,
                           bool quiet)
{
    // What the message holds is told before any display is asked.
    const int bytes = DeviceImageLength(document);
    if (bytes == 0) {
        messages << errorLine(QStringLiteral("no row of the project holds a character"),
                              QLatin1StringView(linktext::kNoData));
        return cli::kNoData;
    }
    if (overCapacity(bytes)) {
        messages << errorLine(QStringLiteral("the image takes %1, more than a display holds").arg(capacityText(bytes)),
                              QLatin1StringView(linktext::kTooLarge));
        return cli::kTooLarge;
    }

    ScriptView view(messages, interactive, quiet);
    DeviceLink link(drivers, view);
    link.DetectDevice();
    if (!link.connected()) {
        messages << errorLine(QStringLiteral("no display answers"), view.linkState);
        if (const QString problem = drivers.accessProblem(); !problem.isEmpty())
            messages << QStringLiteral("tessivo: %1\n").arg(problem);
        return cli::kNoDisplay;
    }
    if (!quiet) {
        messages << view.linkState << '\n';
        messages.flush();
    }

    DeviceImage image;
    if (SendDocument(document, image, link, view)) {
        if (!quiet)
            messages << QStringLiteral("Sent %1 bytes to the display.\n").arg(byteCount(image.length));
        messages.flush();
        return cli::kOk;
    }
    // The first message names the cause; those after it only follow from it.
    return view.errors.isEmpty() ? cli::kFailed : cli::statusOf(sendFailureOf(view.errors.first()));
}

int ListLinks(LinkDrivers &drivers, QTextStream &out, bool json)
{
    const std::vector<uint8_t> answering = AnsweringLinks(drivers);
    const auto answers = [&](uint8_t which) {
        return std::find(answering.begin(), answering.end(), which) != answering.end();
    };
    struct Entry {
        uint8_t link;
        QString identity, node, state;
        bool answers, accessible;
    };
    std::vector<Entry> entries;
    std::vector<bool> listed(3, false);
    for (const PluggedDisplay &display : drivers.pluggedDisplays()) {
        Entry entry{display.link,
                    QStringLiteral("%1:%2").arg(display.vendor, 4, 16, QLatin1Char('0')).arg(display.product, 4, 16, QLatin1Char('0')),
                    display.nodes.isEmpty() ? QString() : display.nodes.constLast(),
                    {},
                    answers(display.link),
                    display.inaccessibleNode.isEmpty()};
        if (entry.answers)
            entry.state = QStringLiteral("answers");
        else if (!entry.accessible)
            entry.state = QStringLiteral("cannot be opened: %1 is not accessible. %2").arg(display.inaccessibleNode, accessHint());
        else if (display.link == link::kReport && !drivers.reportBound())
            entry.state = QStringLiteral("does not answer (the report library is not loaded)");
        else
            entry.state = QStringLiteral("does not answer");
        listed[display.link] = true;
        entries.push_back(entry);
    }
    // A display that answers where nothing is listed (a link without sysfs behind it).
    for (const uint8_t which : answering)
        if (!listed[which])
            entries.push_back({which, QString(), QString(), QStringLiteral("answers"), true, true});

    if (json) {
        QJsonArray array;
        for (const Entry &entry : entries) {
            QJsonObject object;
            object[QStringLiteral("link")] = int(entry.link);
            object[QStringLiteral("linkName")] = linkName(entry.link);
            object[QStringLiteral("id")] = entry.identity;
            object[QStringLiteral("path")] = entry.node;
            object[QStringLiteral("answers")] = entry.answers;
            object[QStringLiteral("accessible")] = entry.accessible;
            object[QStringLiteral("state")] = entry.state;
            array.append(object);
        }
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
    } else if (entries.empty()) {
        out << QStringLiteral("No display is plugged in.\n");
    } else {
        for (const Entry &entry : entries)
            out << QStringLiteral("%1 (link %2): %3%4: %5\n")
                       .arg(linkName(entry.link))
                       .arg(entry.link)
                       .arg(entry.identity.isEmpty() ? QStringLiteral("a display") : QStringLiteral("USB ") + entry.identity)
                       .arg(entry.node.isEmpty() ? QString() : QStringLiteral(" at ") + entry.node)
                       .arg(entry.state);
    }
    out.flush();
    return answering.empty() ? cli::kNoDisplay : cli::kOk;
}

namespace {

/// A row's characters as a reader sees them: printable ones as they are, others (and
/// the backslash, which would make them ambiguous) as \U+XXXX.
QString characterText(const std::vector<ChrRecord> &records)
{
    QString text;
    for (const ChrRecord &record : records) {
        const QChar c(record.code);
        if (c.isPrint() && c != u'\\' && !c.isSurrogate())
            text += c;
        else
            text += QStringLiteral("\\U+") + QString::number(record.code, 16).toUpper().rightJustified(4, u'0');
    }
    return text;
}

} // namespace

int DumpProjectFile(const QString &path, MessageDocument &document, QTextStream &out, QTextStream &errors, bool json)
{
    ProjectReadError error = ProjectReadError::None;
    const std::optional<Project> project = ReadProject(path, error);
    if (!project) {
        errors << errorLine(path + QStringLiteral(": ") + projectReadErrorText(error), QStringLiteral("Open file error!"));
        return cli::kOpenError;
    }
    const std::vector<CutRow> cut = document.ApplyProject(*project);
    const LanguageRecord &english = builtinEnglish();
    const bool middle = document.useMiddle();
    QJsonArray rows;
    QString lines = QStringLiteral("LED type: %1 LEDs\nMiddle effects: %2\n")
                        .arg(document.ledTypeInfo().ledCount)
                        .arg(middle ? QStringLiteral("yes") : QStringLiteral("no"));
    for (int k = 0; k < MessageDocument::kRows && document.isRowEnabled(k); ++k) {
        const RowModel &row = document.row(k);
        if (k >= project->rowCount())
            break;
        const RowEffects effects = document.effects(k);
        const QString opening = fieldText(english.B[std::clamp(effects.opening, 0, 6)]);
        const QString closing = fieldText(english.E[std::clamp(effects.closing, 0, 6)]);
        const QString middleName = fieldText(english.D[std::clamp(effects.middle, 0, 3)]);
        const QString text = characterText(row.ExtractRecords(row.n(), 0));
        const int width = row.n() > 0 ? row.usedWidth() : 0;
        lines += QStringLiteral("Row %1: \"%2\", %3 columns; opening %4%5, closing %6\n")
                     .arg(k + 1)
                     .arg(text)
                     .arg(width)
                     .arg(opening, middle ? QStringLiteral(", middle ") + middleName : QString(), closing);
        QJsonObject object;
        object[QStringLiteral("row")] = k + 1;
        object[QStringLiteral("text")] = text;
        object[QStringLiteral("characters")] = row.n();
        object[QStringLiteral("columns")] = width;
        object[QStringLiteral("opening")] = opening;
        if (middle)
            object[QStringLiteral("middle")] = middleName;
        object[QStringLiteral("closing")] = closing;
        rows.append(object);
    }
    if (json) {
        QJsonObject whole;
        whole[QStringLiteral("ledType")] = document.ledTypeInfo().ledCount;
        whole[QStringLiteral("middleEffects")] = middle;
        whole[QStringLiteral("rows")] = rows;
        out << QJsonDocument(whole).toJson(QJsonDocument::Indented);
    } else {
        out << lines;
    }
    if (!cut.empty())
        errors << QStringLiteral("tessivo: rows of another width: Characters that did not fit were left out: %1\n")
                      .arg(cutRowsList(cut));
    out.flush();
    errors.flush();
    return cli::kOk;
}

QString windowSystemProblem()
{
    // The platform Qt would pick: a platform given to it means the user chose one.
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QStringLiteral("xcb")) && !platform.startsWith(QStringLiteral("wayland")))
        return {};
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral("tessivo: no display server; use --send or --list, or set DISPLAY");
}

} // namespace tessivo
