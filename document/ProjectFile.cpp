#include "document/ProjectFile.h"

#include "document/MessageDocument.h"
#include "settings/RegularFile.h"
#include "settings/SafeWrite.h"

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

std::optional<Project> ReadProject(const QString &path)
{
    // A project holds at most 32 rows of 32,767 records; what lies beyond is not read,
    // and no more is asked for than the file holds. A pipe or device is refused unread.
    constexpr qint64 kLongest = qint64(sizeof(ProjectHeader)) +
                                qint64(project::kHeaderRows) * 32767 * qint64(sizeof(ChrRecord));
    const FileBytes file = readRegularFile(path, kLongest);
    if (file.status != ReadStatus::Read)
        return std::nullopt;
    return ParseProject(file.bytes);
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
