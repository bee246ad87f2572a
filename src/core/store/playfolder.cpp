#include "store/playfolder.h"

#include "store/datamodule.h"
#include "store/playfile/playfile.h"
#include "store/playnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QLatin1String PlayExtension(".dat");
const QLatin1String BackupExtension(".~at");

// Symbolic links are not followed: every file the program reads or writes
// stays below "data/".
constexpr QDir::Filters ListedFolders = QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks;
constexpr QDir::Filters ListedFiles = QDir::Files | QDir::NoSymLinks;

// A play file as the scan reads it: in small pieces, however much the reader
// asks for, since only the header at the top of the file is wanted. The file
// is opened and read by the system's own calls: the scan opens thousands of
// files for a few lines each, and QFile would ask twice more per file
// whether it is a regular file. A link is not followed.
class HeaderPieces : public QIODevice {
public:
    explicit HeaderPieces(const QString &path)
        : fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW))
    {
        if (fd >= 0)
            open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~HeaderPieces() override
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        constexpr qint64 PieceBytes = 4096;
        ssize_t got;
        do
            got = ::read(fd, data, std::size_t(std::min(maxSize, PieceBytes)));
        while (got < 0 && errno == EINTR);
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    int fd;
};

// A play's key as the index compares it: without regard to case.
using FoldedKey = std::pair<QString, QString>;

FoldedKey foldedKey(const PlayRow &row)
{
    return {row.Category.toCaseFolded(), row.Drillname.toCaseFolded()};
}

// Appends the play files of one category folder. A file is listed under the
// key its header gives, whatever its name: older playbooks named files by
// other rules. keys holds the keys already listed: two files naming one play
// give one row, the first met.
void scanFolder(const QString &folder, const QString &nowText, QList<PlayRow> &rows,
                QSet<FoldedKey> &keys, QStringList *unreadable)
{
    const QStringList files = QDir(folder).entryList(ListedFiles, QDir::Unsorted);
    for (const QString &fileName : files) {
        if (!fileName.endsWith(PlayExtension, Qt::CaseInsensitive))
            continue;
        const QString path = folder + fileName;
        HeaderPieces pieces(path);
        if (!pieces.isOpen())
            continue;
        PlayRow row;
        const bool known = PlayFile::readHeader(pieces, row, nowText);
        if (!known || row.Category.isEmpty() || row.Drillname.isEmpty()) {
            if (unreadable)
                unreadable->append(path);
            continue;
        }
        const FoldedKey key = foldedKey(row);
        if (keys.contains(key))
            continue;
        keys.insert(key);
        row.filePath = path;
        rows.append(row);
    }
}

} // namespace

PlayFolder::PlayFolder(const QString &dataFolder)
    : rootPath(dataFolder + QStringLiteral("data/"))
{
}

void PlayFolder::FillPlayDataset(DataModule &data, const QString &nowText, QStringList *unreadable) const
{
    QList<PlayRow> &rows = data.tables().plays;
    rows.clear();
    QSet<FoldedKey> keys;
    // The folders are taken as the system lists them, from the last to the
    // first: that decides which of two files naming one play is listed.
    const QStringList folders = QDir(rootPath).entryList(ListedFolders, QDir::Unsorted);
    for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder)
        scanFolder(rootPath + *folder + u'/', nowText, rows, keys, unreadable);
    data.sortPlayIndex();
}

QString PlayFolder::playPath(const QString &category, const QString &name) const
{
    const QString folder = PlayNames::diskName(category);
    const QString file = PlayNames::diskName(name);
    if (folder.isEmpty() || file.isEmpty())
        return {};
    return rootPath + folder + u'/' + file + PlayExtension;
}

bool PlayFolder::checkdir(const QString &folderName, QString *error) const
{
    const QString folder = rootPath + folderName + u'/';
    if (QFileInfo(folder).isDir())
        return true;
    QDir dir;
    for (const QString &needed : {rootPath, folder}) {
        if (!QFileInfo(needed).isDir() && !dir.mkdir(needed)) {
            *error = QStringLiteral("Cannot create ") + needed;
            return false;
        }
    }
    return true;
}

QString PlayFolder::numberedPath(const QString &playPath, int n)
{
    if (n <= 1)
        return playPath;
    const qsizetype base = playPath.size() - PlayExtension.size();
    return playPath.left(base) + QStringLiteral(" (%1)").arg(n) + playPath.mid(base);
}

bool PlayFolder::taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString PlayFolder::backupPath(const QString &playPath)
{
    const bool playFile = playPath.endsWith(PlayExtension, Qt::CaseInsensitive);
    return playPath.left(playPath.size() - (playFile ? PlayExtension.size() : 0)) + BackupExtension;
}

namespace {

// Copies a file whole into target, replacing target only once the copy is
// complete.
bool copyWhole(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(source, in.errorString());
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read %1: %2").arg(source, in.errorString());
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(target, out.errorString());
        return false;
    }
    return true;
}

// Renames in one step, replacing a file at target (QFile::rename refuses
// to).
bool replaceByRename(const QString &source, const QString &target, QString *error)
{
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(source).toStdString(),
                            QFile::encodeName(target).toStdString(), failure);
    if (failure) {
        *error = QStringLiteral("Cannot rename %1 to %2: %3")
                     .arg(source, target, QString::fromStdString(failure.message()));
        return false;
    }
    return true;
}

} // namespace

bool PlayFolder::writeWithBackup(const QString &path, const std::function<bool(QIODevice &)> &write,
                                 QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file)) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    // The previous content is copied, not moved, so that a play file is in
    // place at every moment.
    if (QFileInfo::exists(path) && !copyWhole(path, backupPath(path), error))
        return false;
    if (!file.commit()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool PlayFolder::setAside(const QString &path, QString *error)
{
    return replaceByRename(path, backupPath(path), error);
}

bool PlayFolder::setAsideDamaged(const QString &path, QString *aside, QString *error)
{
    constexpr int MaxCopies = 999;
    for (int n = 0; n <= MaxCopies; ++n) {
        const QString target = n == 0 ? backupPath(path)
                                      : path + QStringLiteral(".damaged") + (n > 1 ? QString::number(n) : QString());
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        QFile file(path);
        if (!file.rename(target)) {
            *error = QStringLiteral("Cannot rename %1 to %2: %3").arg(path, target, file.errorString());
            return false;
        }
        *aside = target;
        return true;
    }
    *error = QStringLiteral("Cannot set %1 aside: %2 earlier copies are in the way").arg(path).arg(MaxCopies);
    return false;
}
