// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Project files (.LDAT): the rows' characters with their LED columns, their effects,
// the LED type and the middle-effect flag. A 140-byte header, then the records row
// after row.

#include "document/RowEffects.h"
#include "rows/ChrRecord.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessivo {

namespace project {
constexpr uint32_t kMagic = 0x20112345;        // without middle effects
constexpr uint32_t kMagicMiddle = 0x30112345;  // with middle effects
constexpr int kHeaderRows = 32;
}

#pragma pack(push, 1)
struct ProjectHeader {
    uint32_t magic;
    uint16_t ledType;
    uint16_t rowWidth;
    uint16_t ledCount;
    int16_t rowCount;
    uint16_t effects[project::kHeaderRows];
    int16_t counts[project::kHeaderRows];
};
#pragma pack(pop)
static_assert(sizeof(ProjectHeader) == 140, "the project header is 140 packed bytes");

uint16_t packEffects(RowEffects effects, bool useMiddle);
RowEffects unpackEffects(uint16_t word, bool useMiddle);

/// A project as read: its header and its records, with each row's first record.
struct Project {
    ProjectHeader header{};
    std::vector<ChrRecord> records;
    std::vector<int> firstRecord;  // per stored row (at most 32)

    bool useMiddle() const { return header.magic == project::kMagicMiddle; }
    int rowCount() const { return int(firstRecord.size()); }
    int count(int row) const { return header.counts[row]; }
    RowEffects effects(int row) const { return unpackEffects(header.effects[row], useMiddle()); }
};

/// Reads a project; nothing when the file cannot be read or is damaged in any way (short
/// or wrong header, negative counts, fewer records than the counts promise).
std::optional<Project> ReadProject(const QString &path);

/// Why a project could not be opened, in words for the command line.
enum class ProjectReadError { None, Missing, Folder, NotRegular, Unreadable, Damaged };
QString projectReadErrorText(ProjectReadError error);
/// ReadProject, with the reason when it fails.
std::optional<Project> ReadProject(const QString &path, ProjectReadError &error);
/// The longest a project can be: what lies beyond is never read.
qint64 longestProject();
std::optional<Project> ParseProject(const QByteArray &bytes);

class MessageDocument;

/// The bytes of the document's project: the enabled rows up to the first disabled one.
QByteArray SerializeProject(const MessageDocument &document);
/// Writes to a temporary file and replaces `path` only when everything was written;
/// false on any failure, leaving an existing file untouched.
bool WriteProject(const QString &path, const MessageDocument &document);

} // namespace tessivo
