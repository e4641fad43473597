// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing and reading files on hostile file systems: failed writes keep the old bytes,
// special files are refused before they are opened.

#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "glyphs/GlyphFiles.h"
#include "settings/IniFile.h"
#include "settings/RegularFile.h"
#include "settings/SafeWrite.h"
#include "support/FileTraps.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessivo;
using namespace tessivo::test;

namespace {

bool anyGlyph(uint16_t code, int ledType, ChrRecord &record)
{
    record.width = 6;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(6 * bytesPerColumn(record.height));
    for (int i = 0; i < record.byteCount; ++i)
        record.columns[i] = uint8_t(code + i);
    return true;
}

/// A message of `characters` glyphs in row 1, each 12 bytes of columns.
std::unique_ptr<MessageDocument> messageOf(int characters)
{
    auto document = std::make_unique<MessageDocument>(LedTypeTable(), &anyGlyph);
    document->ChangeLedType(ledtype::k16, true);
    for (int k = 0; k < characters; ++k)
        if (document->row(0).AddChar(uint16_t('A' + k % 26), false))
            document->row(0).MoveCaret(1, false);
    return document;
}

/// Every name in the folder, in one line.
std::string entries(const QTemporaryDir &dir)
{
    QStringList names =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System);
    names.sort(Qt::CaseSensitive);
    return names.join(QLatin1Char(' ')).toStdString();
}

IniFile settingsWith(int lines)
{
    IniFile ini;
    for (int k = 0; k < lines; ++k)
        ini.writeString("Set", QStringLiteral("Key%1").arg(k), QString(40, QLatin1Char('v')));
    return ini;
}

} // namespace

TEST(SafeWrite, AWriteThatFailsPartWayKeepsTheOldFileAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString project = dir.filePath("hello.LDAT");
    const QString settings = dir.filePath("Tessivo.ini");
    ASSERT_TRUE(WriteProject(project, *messageOf(10)));
    ASSERT_TRUE(settingsWith(3).save(settings));
    const QByteArray oldProject = fileBytes(project), oldSettings = fileBytes(settings);

    // Both new files are longer than the limit: the write stops in the middle of the
    // data, as it does on a disk that fills up.
    const auto longer = messageOf(200);
    const IniFile longerSettings = settingsWith(200);
    ASSERT_LT(oldProject.size(), 1024);
    ASSERT_GT(SerializeProject(*longer).size(), 1024);
    ASSERT_GT(longerSettings.serialize().size(), 1024);
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(WriteProject(project, *longer));
        EXPECT_FALSE(longerSettings.save(settings));
        EXPECT_FALSE(writeFileAtomically(dir.filePath("new.LDAT"), QByteArray(5000, 'x')));
    }
    EXPECT_EQ(fileBytes(project), oldProject);
    EXPECT_EQ(fileBytes(settings), oldSettings);
    EXPECT_EQ(entries(dir), "Tessivo.ini hello.LDAT");

    // With room again the same writes succeed.
    EXPECT_TRUE(WriteProject(project, *longer));
    EXPECT_EQ(fileBytes(project), SerializeProject(*longer));
}

TEST(SafeWrite, ARealFullFileSystemKeepsTheOldFile)
{
    // A small tmpfs of our own, mounted in a mount namespace of a child process so
    // nothing outside sees it. Needs root (or the right to make namespaces).
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tessivo-test", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(77);
        const QString project = dir.filePath("full.LDAT");
        const auto original = messageOf(150);  // about 2 KB
        if (!WriteProject(project, *original))
            ::_exit(10);
        const QByteArray before = fileBytes(project);
        // Fill every block that is left.
        {
            QFile filler(dir.filePath("filler"));
            if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                ::_exit(11);
            const QByteArray block(512, 'f');
            while (filler.write(block) == block.size()) {
            }
        }
        const bool saved = WriteProject(project, *messageOf(180));
        const bool settingsSaved = settingsWith(100).save(dir.filePath("Tessivo.ini"));
        if (saved || settingsSaved)
            ::_exit(20);
        if (fileBytes(project) != before)
            ::_exit(21);
        const QStringList left = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::Files | QDir::Hidden);
        if (left != QStringList({"filler", "full.LDAT"}))
            ::_exit(22);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no small tmpfs can be mounted here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10-11: setup, 20: a write claimed success, 21: old bytes lost, "
                                         "22: a temporary file was left";
}

TEST(SafeWrite, OnlyRegularFilesAreReplacedAndLinksAreWrittenThrough)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.LDAT");
    ASSERT_TRUE(makeFifo(fifo));
    EXPECT_FALSE(writeFileAtomically(fifo, "data"));
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_FALSE(writeFileAtomically(dir.path(), "data"));

    const QString real = dir.filePath("real.LDAT"), link = dir.filePath("link.LDAT");
    ASSERT_TRUE(writeBytes(real, "old"));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(real), "new");
    // The replaced file keeps the permissions it had.
    EXPECT_EQ(QFile::permissions(real) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

TEST(SafeWrite, TemporaryFilesOfAnInterruptedSaveGoWithTheNextSave)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("hello.LDAT");
    const QStringList ours = {"hello.LDAT.tessivo-a8Kq0Z", "hello.LDAT.tessivo-000000"};
    const QStringList theirs = {"hello.LDAT.backup", "hello.LDAT.tessivo-abc", "hello.LDAT.tessivo-abcdefg",
                                "hello.LDAT.tessivo-ab_cde", "other.LDAT.tessivo-a8Kq0Z", "hello.LDAT.abcdef"};
    for (const QString &name : ours + theirs)
        ASSERT_TRUE(writeBytes(dir.filePath(name), "left"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("hello.LDAT.tessivo-folder"));

    // A failed save removes nothing.
    {
        FileSizeLimit limit(2);
        EXPECT_FALSE(writeFileAtomically(target, "longer than two bytes"));
    }
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(ours.first())));

    EXPECT_TRUE(writeFileAtomically(target, "saved"));
    for (const QString &name : ours)
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : theirs)
        EXPECT_EQ(fileBytes(dir.filePath(name)), "left") << name.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("hello.LDAT.tessivo-folder")).isDir());
    EXPECT_EQ(fileBytes(target), "saved");

    EXPECT_TRUE(isTemporaryNameOf("x.tessivo-Zz09aB", "x"));
    EXPECT_FALSE(isTemporaryNameOf("x.tessivo-Zz09a\u00e9", "x"));
    EXPECT_FALSE(isTemporaryNameOf("xy.tessivo-Zz09aB", "x"));
}

TEST(RegularFile, SpecialFilesAreRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("x.LDAT");
    ASSERT_TRUE(makeFifo(fifo));
    // Each of these would block for ever in open() if the pipe were opened to read.
    EXPECT_EQ(readRegularFile(fifo, 100).status, ReadStatus::NotRegular);
    EXPECT_FALSE(ReadProject(fifo));
    IniFile ini;
    EXPECT_EQ(ini.load(fifo), IniFile::Status::Unreadable);

    EXPECT_EQ(readRegularFile(QStringLiteral("/dev/zero"), 100).status, ReadStatus::NotRegular);
    EXPECT_EQ(readRegularFile(dir.path(), 100).status, ReadStatus::NotRegular);
    EXPECT_EQ(readRegularFile(dir.filePath("none"), 100).status, ReadStatus::Missing);
    EXPECT_EQ(readRegularFile(dir.filePath("none/deeper"), 100).status, ReadStatus::Missing);
    EXPECT_EQ(ini.load(dir.filePath("none")), IniFile::Status::Missing);

    // A link to a pipe is a pipe; a link to a file is the file.
    const QString link = dir.filePath("link.LDAT");
    ASSERT_TRUE(QFile::link(fifo, link));
    EXPECT_EQ(readRegularFile(link, 100).status, ReadStatus::NotRegular);
    const QString real = dir.filePath("real"), toReal = dir.filePath("toReal");
    ASSERT_TRUE(writeBytes(real, "0123456789"));
    ASSERT_TRUE(QFile::link(real, toReal));
    const FileBytes whole = readRegularFile(toReal, 100);
    EXPECT_EQ(whole.status, ReadStatus::Read);
    EXPECT_EQ(whole.bytes, "0123456789");
    EXPECT_FALSE(whole.cut);
    const FileBytes part = readRegularFile(real, 4);
    EXPECT_EQ(part.bytes, "0123");
    EXPECT_TRUE(part.cut);
    EXPECT_EQ(readRegularFile(real, -5).bytes, QByteArray());
}

TEST(RegularFile, AnUnreadableFileIsToldApartFromAMissingOne)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(writeBytes(locked, "secret"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    EXPECT_EQ(readRegularFile(locked, 100).status, ReadStatus::Unreadable);
}

TEST(RegularFile, GlyphFilesThatArePipesAreNotLoaded)
{
    QTemporaryDir dir;
    for (const char *name : glyphfile::kBuiltinNames)
        ASSERT_TRUE(makeFifo(dir.filePath(QLatin1String(name))));
    for (const char *name : glyphfile::kUserNames)
        ASSERT_TRUE(makeFifo(dir.filePath(QLatin1String(name))));
    LoadGlyphFiles(std::filesystem::path(dir.path().toStdString()));
    for (int file = 0; file < 5; ++file)
        EXPECT_FALSE(isBuiltinLoaded(file)) << file;
    EXPECT_FALSE(isUserLibraryPresent(0));
    EXPECT_FALSE(isUserLibraryPresent(1));
    ChrRecord record = emptyRecord();
    EXPECT_FALSE(GetGlyph16(0x4E2D, record));
    FreeGlyphFiles();

    ReadOnlyFile file;
    EXPECT_EQ(file.open(std::filesystem::path(dir.filePath("UserZK16.fnt").toStdString())), ReadStatus::NotRegular);
    EXPECT_FALSE(file.isOpen());
    char buffer[4];
    EXPECT_EQ(file.readAt(0, buffer, 4), -1);
}
