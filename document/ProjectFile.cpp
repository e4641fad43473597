// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/ProjectFile.h"

#include "document/MessageDocument.h"
#include "settings/RegularFile.h"
#include "settings/SafeWrite.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace tessivo {

uint16_t packEffects(RowEffects effects, bool useMiddle)
{
    const unsigned low = useMiddle ? unsigned((effects.opening & 0x0F) | (effects.middle & 0x0F) << 4)
                                   : unsigned(effects.opening & 0xFF);
    return uint16_t(low | unsigned(effects.closing & 0xFF) << 8);
}

RowEffects unpackEffects(uint16_t word, bool useMiddle)
{
    RowEffects effects;
    const int low = word & 0xFF;
    effects.opening = useMiddle ? (low & 0x0F) : low;
    effects.middle = useMiddle ? (low >> 4) : 0;
    effects.closing = word >> 8;
    return effects;
}

std::optional<Project> ParseProject(const QByteArray &bytes)
{
    Project project;
    if (bytes.size() < qsizetype(sizeof(ProjectHeader)))
        return std::nullopt;
    std::memcpy(&project.header, bytes.constData(), sizeof(ProjectHeader));
    const ProjectHeader &h = project.header;
    if (h.magic != project::kMagic && h.magic != project::kMagicMiddle)
        return std::nullopt;

    const int rows = std::clamp<int>(h.rowCount, 0, project::kHeaderRows);
    int64_t total = 0;
    for (int i = 0; i < rows; ++i) {
        if (h.counts[i] < 0)
            return std::nullopt;
        project.firstRecord.push_back(int(total));
        total += h.counts[i];
    }
    const int64_t available = (bytes.size() - qsizetype(sizeof(ProjectHeader))) / qsizetype(sizeof(ChrRecord));
    if (total > available)
        return std::nullopt;
    // A record that no glyph source gives (a damaged width or height) refuses the file.
    std::optional<std::vector<ChrRecord>> records =
        readRecords(bytes.constData() + sizeof(ProjectHeader), size_t(total) * sizeof(ChrRecord));
    if (!records)
        return std::nullopt;
    project.records = std::move(*records);
    return project;
}

qint64 longestProject()
{
    // At most 32 rows of 32,767 records.
    return qint64(sizeof(ProjectHeader)) + qint64(project::kHeaderRows) * 32767 * qint64(sizeof(ChrRecord));
}

std::optional<Project> ReadProject(const QString &path, ProjectReadError &error)
{
    // No more is asked for than the file holds; a pipe or device is refused unread.
    const FileBytes file = readRegularFile(path, longestProject());
    switch (file.status) {
    case ReadStatus::Read: break;
    case ReadStatus::Missing: error = ProjectReadError::Missing; return std::nullopt;
    case ReadStatus::NotRegular:
        error = QFileInfo(path).isDir() ? ProjectReadError::Folder : ProjectReadError::NotRegular;
        return std::nullopt;
    default: error = ProjectReadError::Unreadable; return std::nullopt;
    }
    std::optional<Project> project = ParseProject(file.bytes);
    error = project ? ProjectReadError::None : ProjectReadError::Damaged;
    return project;
}

std::optional<Project> ReadProject(const QString &path)
{
    ProjectReadError error = ProjectReadError::None;
    return ReadProject(path, error);
}

QString projectReadErrorText(ProjectReadError error)
{
    switch (error) {
    case ProjectReadError::Missing: return QStringLiteral("no such file");
    case ProjectReadError::Folder: return QStringLiteral("is a folder, not a project");
    case ProjectReadError::NotRegular: return QStringLiteral("not a regular file (a pipe, socket or device)");
    case ProjectReadError::Unreadable: return QStringLiteral("cannot be read (permission denied or an I/O error)");
    case ProjectReadError::Damaged: return QStringLiteral("not a Tessivo project, or damaged");
    default: return {};
    }
}

QByteArray SerializeProject(const MessageDocument &document)
{
    ProjectHeader header{};
    const LedTypeInfo &info = document.ledTypeInfo();
    const bool useMiddle = document.useMiddle();
    header.magic = useMiddle ? project::kMagicMiddle : project::kMagic;
    header.ledType = uint16_t(info.id);
    header.rowWidth = uint16_t(info.rowWidth);
    header.ledCount = uint16_t(info.ledCount);
    int stored = 0;
    for (int k = 0; k < MessageDocument::kRows && document.isRowEnabled(k); ++k) {
        header.counts[k] = int16_t(document.row(k).n());
        header.effects[k] = packEffects(document.effects(k), useMiddle);
        ++stored;
    }
    header.rowCount = int16_t(stored);

    QByteArray bytes(reinterpret_cast<const char *>(&header), sizeof header);
    ChrRecord buffer[kMaxRowChars] = {};
    for (int k = 0; k < stored; ++k) {
        const int count = document.row(k).ExtractRecords(header.counts[k], 0, buffer);
        for (int i = 0; i < count; ++i)
            buffer[i].kind = 0;
        bytes.append(reinterpret_cast<const char *>(buffer), qsizetype(count) * qsizetype(sizeof(ChrRecord)));
    }
    return bytes;
}

bool WriteProject(const QString &path, const MessageDocument &document)
{
    return writeFileAtomically(path, SerializeProject(document));
}

} // namespace tessivo
