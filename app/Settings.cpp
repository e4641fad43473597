#include "app/Settings.h"

#include "app/AppState.h"
#include "app/IniFile.h"
#include "rows/LedType.h"

#include <algorithm>

namespace tessivo {
namespace {

const QString kSet = QStringLiteral("Set");

/// A window size below 100 or above 1024 pixels becomes 100.
int windowSize(int value)
{
    return (value < settings::kWindowMin || value > settings::kWindowMax) ? settings::kWindowMin
                                                                          : value;
}

} // namespace

void ReadSettings(const IniFile &ini, AppState &state)
{
    state.useMiddle = 0;
    state.bUserFont = ini.readInt(kSet, QStringLiteral("bUserFont"), 1);
    const QString face =
        ini.readString(kSet, QStringLiteral("SysFont"), {}, settings::kSysFontChars);
    if (!face.isEmpty())
        state.SysFont = face;
    state.LedType = int(std::clamp<long long>(
        (long long)ini.readInt(kSet, QStringLiteral("LedType"), 1) - 1, 0, ledtype::kCount - 1));
    state.LedColor = uint32_t(ini.readInt(kSet, QStringLiteral("LedColor"), 255));
    adjustLedType11(ini.readInt(kSet, QStringLiteral("LedGap11"), ledtype::kGap11Default),
                    ini.readInt(kSet, QStringLiteral("LedScrW11"), ledtype::kRowWidth11Default));
    const long long lang = (long long)ini.readInt(kSet, QStringLiteral("Lang"), 1) - 1;
    state.languages.setCurrentIndex(lang < 0 || lang >= state.languages.count() ? 0 : int(lang));
    state.MakeChrWndCx = windowSize(ini.readInt(kSet, QStringLiteral("MakeChrWndCx"), 540));
    state.MakeChrWndCy = windowSize(ini.readInt(kSet, QStringLiteral("MakeChrWndCy"), 360));
}

void WriteSettings(IniFile &ini, const AppState &state)
{
    ini.writeString(kSet, QStringLiteral("bUserFont"), QString::number(state.bUserFont));
    ini.writeString(kSet, QStringLiteral("SysFont"), state.SysFont);
    ini.writeString(kSet, QStringLiteral("LedType"), QString::number(state.LedType + 1));
    ini.writeString(kSet, QStringLiteral("LedColor"), QString::number(int32_t(state.LedColor)));
    ini.writeString(kSet, QStringLiteral("Lang"),
                    QString::number(state.languages.currentIndex() + 1));
    ini.writeString(kSet, QStringLiteral("MakeChrWndCx"), QString::number(state.MakeChrWndCx));
    ini.writeString(kSet, QStringLiteral("MakeChrWndCy"), QString::number(state.MakeChrWndCy));
}

} // namespace tessivo

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tessivo {

SettingsLocation resolveSettingsLocation(const QString &moduleFolder)
{
    const QString libFolder = moduleFolder + QStringLiteral("/LIB");
    const QString libFile = libFolder + QStringLiteral("/Tessivo.ini");
    const QFileInfo lib(libFolder);
    if (lib.isDir() && lib.isWritable())
        return {libFile, libFile};

    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = config + QStringLiteral("/Tessivo");
    QDir().mkpath(folder);
    const QString userFile = folder + QStringLiteral("/Tessivo.ini");
    if (!QFileInfo::exists(userFile) && QFileInfo::exists(libFile))
        return {libFile, userFile};
    return {userFile, userFile};
}

} // namespace tessivo
