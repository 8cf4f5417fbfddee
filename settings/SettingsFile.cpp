#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <vector>

namespace {

QString NormalSeparators(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString InFolder(const QString& folder, const QString& name) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Asks the kernel rather than reading permission bits: it knows about root, access control
// lists and read-only mounts.
bool MayWrite(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

bool MayCreateIn(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace

bool ExistFile(const QString& CheckFile) {
    if (CheckFile.isEmpty())
        return false;
    const QFileInfo info(NormalSeparators(CheckFile));
    QString pattern = info.fileName();
    if (pattern.isEmpty())
        return false;
    const bool foldersToo = !CheckFile.contains(QLatin1Char('.'));

    if (!pattern.contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?'))) {
        if (pattern.startsWith(QLatin1Char('.')))
            return false;
        return info.isFile() || (foldersToo && info.isDir());
    }
    // Only "*" and "?" are wildcards; a bracket is an ordinary character.
    pattern.replace(QLatin1String("["), QLatin1String("[[]"));
    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot | QDir::CaseSensitive;
    if (foldersToo)
        filters |= QDir::Dirs;
    return !QDir(info.path()).entryList(QStringList{pattern}, filters).isEmpty();
}

SettingsLocation ResolveSettingsLocation(const QString& fileName, const QString& programFolder,
                                         const QString& fallbackFolder) {
    SettingsLocation where;
    if (fileName.contains(QLatin1Char('\\')) || fileName.contains(QLatin1Char('/'))) {
        where.WritePath = NormalSeparators(fileName);
        if (ExistFile(where.WritePath))
            where.ReadPath = where.WritePath;
        return where;
    }

    const QString own = InFolder(programFolder, fileName);
    const QString fallback =
        fallbackFolder.isEmpty() ? QString() : InFolder(fallbackFolder, fileName);
    const bool ownExists = ExistFile(own);
    const bool fallbackExists = !fallback.isEmpty() && ExistFile(fallback);

    if (MayCreateIn(programFolder)) {
        // A portable copy keeps to its own folder: with no file beside it the defaults
        // stand, whatever an installed copy keeps in the user's folder.
        if (!ownExists || MayWrite(own))
            where.WritePath = own;
        where.ReadPath = ownExists ? own : QString();
    } else if (ownExists && MayWrite(own)) {
        where.WritePath = own;
        where.ReadPath = own;
    } else {
        // Installed read-only.
        where.WritePath = fallback;
        where.CreateFolder = !fallback.isEmpty();
        where.ReadPath = fallbackExists ? fallback : (ownExists ? own : QString());
    }
    return where;
}

bool ReadSettingsFile(const QString& path, SettingsTarget& target) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    SettingsReader reader(target);
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const qint64 n = file.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        reader.Feed(chunk.data(), static_cast<std::size_t>(n));
    }
    reader.Finish();
    return true;
}

bool WriteSettingsFile(const QString& path, const std::string& text) {
    QSaveFile file(path);
    // A writable file in a folder that is not leaves no room for a temporary file; then the
    // file is rewritten in place, its few bytes in a single write.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.data(), static_cast<qint64>(text.size()));
    // After a failed write commit() keeps the old file.
    return file.commit();
}
