// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/Settings.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>
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

/// Longer paths than any file system allows are not taken from the file.
constexpr int kLongestPath = 4096;

QString recentKey(int k)
{
    return QStringLiteral("RecentProject%1").arg(k);
}

} // namespace

Settings::Settings(QObject *parent) : QObject(parent) {}

void Settings::ReadSettings(const IniFile &ini)
{
    bUserFont = ini.readInt(kSet, QStringLiteral("bUserFont"), 1);
    const QString face = ini.readString(kSet, QStringLiteral("SysFont"), {}, settings::kSysFontChars);
    if (!face.isEmpty())
        SysFont = face;
    LedType = int(std::clamp<long long>((long long)ini.readInt(kSet, QStringLiteral("LedType"), 1) - 1, 0, 2));
    LedColor = ini.readUnsigned(kSet, QStringLiteral("LedColor"), 255);
    LedGap11 = ini.readInt(kSet, QStringLiteral("LedGap11"), settings::kGap11);
    LedScrW11 = ini.readInt(kSet, QStringLiteral("LedScrW11"), settings::kRowWidth11);
    const long long lang = (long long)ini.readInt(kSet, QStringLiteral("Lang"), 1) - 1;
    languages.setCurrentIndex(lang < 0 || lang >= languages.count() ? 0 : int(lang));
    MakeChrWndCx = windowSize(ini.readInt(kSet, QStringLiteral("MakeChrWndCx"), 540));
    MakeChrWndCy = windowSize(ini.readInt(kSet, QStringLiteral("MakeChrWndCy"), 360));
    LastFolder = ini.readString(kSet, QStringLiteral("LastFolder"), {}, kLongestPath);
    RecentProjects.clear();
    for (int k = 1; k <= kRecentProjects; ++k) {
        const QString path = ini.readString(kSet, recentKey(k), {}, kLongestPath);
        if (!path.isEmpty() && !RecentProjects.contains(path))
            RecentProjects << path;
    }
    lastFolderRead_ = LastFolder;
    recentRead_ = RecentProjects;
}

void Settings::WriteSettings(IniFile &ini) const
{
    ini.writeString(kSet, QStringLiteral("bUserFont"), QString::number(bUserFont));
    ini.writeString(kSet, QStringLiteral("SysFont"), SysFont);
    ini.writeString(kSet, QStringLiteral("LedType"), QString::number(LedType + 1));
    ini.writeString(kSet, QStringLiteral("LedColor"), QString::number(LedColor));
    ini.writeString(kSet, QStringLiteral("Lang"), QString::number(languages.currentIndex() + 1));
    ini.writeString(kSet, QStringLiteral("MakeChrWndCx"), QString::number(MakeChrWndCx));
    ini.writeString(kSet, QStringLiteral("MakeChrWndCy"), QString::number(MakeChrWndCy));
    if (LastFolder != lastFolderRead_)
        ini.writeString(kSet, QStringLiteral("LastFolder"), LastFolder);
    if (RecentProjects != recentRead_) {
        for (int k = 1; k <= kRecentProjects; ++k)
            ini.writeString(kSet, recentKey(k), k <= RecentProjects.size() ? RecentProjects[k - 1] : QString());
    }
}

void Settings::rememberProject(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RecentProjects.removeAll(absolute);
    RecentProjects.prepend(absolute);
    while (RecentProjects.size() > kRecentProjects)
        RecentProjects.removeLast();
    LastFolder = QFileInfo(absolute).absolutePath();
}

void Settings::setLanguage(int index)
{
    const int before = languages.currentIndex();
    languages.setCurrentIndex(index);
    if (languages.currentIndex() != before)
        emit languageChanged(languages.currentIndex());
}

SettingsLocation resolveSettingsLocation(const QString &moduleFolder)
{
    const QString libFolder = moduleFolder + QStringLiteral("/LIB");
    const QString libFile = libFolder + QStringLiteral("/Tessivo.ini");
    const QFileInfo lib(libFolder);
    // An installed copy (its LIB carries the marker the installation puts there) keeps
    // each user's settings apart, even when whoever runs it may write into LIB.
    const bool installed = QFileInfo::exists(libFolder + QStringLiteral("/") + QLatin1StringView(kInstalledMarker));
    if (!installed && lib.isDir() && lib.isWritable())
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
