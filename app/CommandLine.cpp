#include "app/CommandLine.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "link/DeviceImage.h"
#include "main/DialogTexts.h"
#include "main/SendCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
                            QStringLiteral("List the links on which a display answers now, and exit.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Display this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Display version information and exit.")};
};

void prepare(QCommandLineParser &parser, const Options &options)
{
    parser.setApplicationDescription(
        QStringLiteral("Compose messages for a spinning LED fan display and send them to it.\n"
                       "\n"
                       "Exit status of --send and --list:\n"
                       "   0  sent (--list: a display answers)\n"
                       "   2  wrong arguments\n"
                       "   3  the project cannot be opened\n"
                       "   4  no row holds text\n"
                       "   5  no display answers\n"
                       "   6  the image is too large for the display\n"
                       "   7  the display cannot be opened\n"
                       "   8  a write to the display failed\n"
                       "   9  a read from the display failed\n"
                       "  10  the display answered with an error status\n"
                       "  11  the display did not take the image"));
    // Qt's own options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({options.send, options.list, options.help, options.version});
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project (.LDAT) to open."),
                                 QStringLiteral("[project]"));
}

/// What detection and download show, written as lines of text.
class ConsoleView : public LinkView {
public:
    ConsoleView(QTextStream &out, bool interactive) : out_(out), interactive_(interactive) {}

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
        if (steps <= 0 || position < minimum_)
            return;
        const int done = position - minimum_ + 1;
        const int percent = int(int64_t(done) * 100 / steps);
        // A terminal shows every step in place; a log gets a line every tenth.
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
        if (interactive_ && minimum_ <= maximum_)
            out_ << '\n';
        errors << text;
        out_ << text << '\n';
        out_.flush();
    }

private:
    QTextStream &out_;
    bool interactive_;
    int minimum_ = 0, maximum_ = -1;
    int shown_ = -1;
};

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
    return parser.isSet(options.send) || parser.isSet(options.list) || parser.isSet(options.help) ||
           parser.isSet(options.version);
}

CommandLine parseCommandLine(const QStringList &arguments)
{
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
    const int modes = int(parser.isSet(options.send)) + int(parser.isSet(options.list));
    if (parser.isSet(options.help)) {
        line.mode = CommandLine::Mode::Help;
    } else if (parser.isSet(options.version)) {
        line.mode = CommandLine::Mode::Version;
    } else if (modes > 1) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("--send and --list cannot be combined.");
    } else if (positional.size() > (modes == 0 ? 1 : 0)) {
        line.mode = CommandLine::Mode::Error;
        line.error = modes == 0 ? QStringLiteral("Only one project can be opened.")
                                : QStringLiteral("Unexpected argument: %1").arg(positional.first());
    } else if (parser.isSet(options.send)) {
        line.mode = CommandLine::Mode::Send;
        line.project = parser.value(options.send);
    } else if (parser.isSet(options.list)) {
        line.mode = CommandLine::Mode::List;
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

int SendProjectFile(const QString &path, MessageDocument &document, LinkDrivers &drivers,
                    QTextStream &messages, bool interactive)
{
    const std::optional<Project> project = ReadProject(path);
    if (!project) {
        messages << QStringLiteral("Open file error! (%1)\n").arg(path);
        return cli::kOpenError;
    }
    const std::vector<CutRow> cut = document.ApplyProject(*project);
    if (!cut.empty())
        messages << QStringLiteral("Characters that did not fit were left out: %1\n").arg(cutRowsList(cut));

    // What the project holds is told before any display is asked.
    const int bytes = DeviceImageLength(document);
    if (bytes == 0) {
        messages << QLatin1StringView(linktext::kNoData) << '\n';
        return cli::kNoData;
    }
    if (overCapacity(bytes)) {
        messages << QLatin1StringView(linktext::kTooLarge) << QStringLiteral(" (%1)\n").arg(capacityText(bytes));
        return cli::kTooLarge;
    }

    ConsoleView view(messages, interactive);
    DeviceLink link(drivers, view);
    link.DetectDevice();
    if (!link.connected()) {
        messages << view.linkState << '\n';
        return cli::kNoDisplay;
    }
    messages << view.linkState << '\n';
    messages.flush();

    DeviceImage image;
    if (SendDocument(document, image, link, view)) {
        messages << QStringLiteral("Sent %1 bytes to the display.\n").arg(byteCount(image.length));
        messages.flush();
        return cli::kOk;
    }
    // The first message names the cause; those after it only follow from it.
    return view.errors.isEmpty() ? cli::kFailed : cli::statusOf(sendFailureOf(view.errors.first()));
}

int ListLinks(LinkDrivers &drivers, QTextStream &out)
{
    const std::vector<uint8_t> answering = AnsweringLinks(drivers);
    for (const uint8_t which : {link::kReport, link::kFeature, link::kCh375}) {
        QString state;
        if (std::find(answering.begin(), answering.end(), which) != answering.end())
            state = QStringLiteral("a display answers");
        else if (which == link::kReport && !drivers.reportBound())
            state = QStringLiteral("not available (the report library is not loaded)");
        else
            state = QStringLiteral("no display");
        out << QStringLiteral("%1 (link %2): %3\n").arg(linkName(which)).arg(which).arg(state);
    }
    if (const QString problem = drivers.accessProblem(); !problem.isEmpty())
        out << problem << '\n';
    out.flush();
    return answering.empty() ? cli::kNoDisplay : cli::kOk;
}

} // namespace tessivo
