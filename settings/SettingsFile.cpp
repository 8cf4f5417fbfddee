// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>
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

bool MayCreateIn(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once the links at its end are followed, as long as each of them
// belongs to the user running the program (the rule the kernel applies in sticky folders);
// nothing for a link of someone else or a loop. A missing file is named as it is.
std::optional<std::string> FollowOwnLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        if (st.st_uid != ::geteuid())
            return std::nullopt;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) == link.size())
            return std::nullopt;
        link.resize(static_cast<std::size_t>(n));
        path = link.front() == '/' ? link : FolderOf(path) + '/' + link;
    }
    return std::nullopt;
}

bool IsSpecialFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

QString CleanAbsolute(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool IsInstalled(const QString& programFolder, const QStringList& installFolders) {
    const QString here = CleanAbsolute(programFolder);
    for (const QString& folder : installFolders) {
        const QString bin = CleanAbsolute(folder);
        if (!folder.isEmpty() && (here == bin || here.startsWith(bin + QLatin1Char('/'))))
            return true;
    }
    return false;
}

// The writer's temporary files: ".<name>.zwtmp-" and six random letters or digits.
constexpr std::string_view TempMark = ".zwtmp-";

std::string TempPrefix(const std::string& name) {
    return "." + name + std::string(TempMark);
}

bool IsOwnTemporaryFile(std::string_view entry, const std::string& prefix) {
    if (entry.size() != prefix.size() + 6 || entry.substr(0, prefix.size()) != prefix)
        return false;
    for (const char c : entry.substr(prefix.size())) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum)
            return false;
    }
    return true;
}

void RemoveLeftovers(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = TempPrefix(name);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (IsOwnTemporaryFile(entry->d_name, prefix) &&
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Makes the temporary file under a fresh name; its permissions are what a plain create gives.
int CreateTemporary(std::string& path) {
    static constexpr char Letters[] =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = path.size() - 6; i < path.size(); ++i)
            path[i] = Letters[::arc4random_uniform(sizeof Letters - 1)];
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// A file that is replaced keeps its permissions and, where allowed, its owner.
void TakeOverAccess(int fd, const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return;
    ::fchmod(fd, st.st_mode & 07777);
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Only root may give a file away; a file of the user's own needs no change.
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
                                         const QString& fallbackFolder,
                                         const QStringList& installFolders) {
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
    const std::optional<std::string> target = FollowOwnLinks(QFile::encodeName(own).toStdString());
    const bool portable = !IsInstalled(programFolder, installFolders) &&
                          MayCreateIn(FolderOf(QFile::encodeName(own).toStdString()));

    if (portable && target && IsSpecialFile(*target)) {
        // A device, pipe, socket or folder in the file's place, the user's own link to
        // /dev/null say, keeps nothing: neither there nor in the fallback folder.
    } else if (portable && !target) {
        // Another user's link, like a file that cannot be written, stays as it is.
        where.ReadPath = ownExists ? own : QString();
    } else if (portable && MayCreateIn(FolderOf(*target))) {
        // A portable copy keeps to its own folder: with no file beside it the defaults
        // stand, whatever an installed copy keeps in the user's folder.
        if (!ownExists || MayWrite(own))
            where.WritePath = own;
        where.ReadPath = ownExists ? own : QString();
    } else {
        // Installed, or where no new file can be made: the file is never rewritten in place.
        // A special file in the fallback's place keeps nothing either.
        const std::optional<std::string> kept =
            FollowOwnLinks(QFile::encodeName(fallback).toStdString());
        if (!fallback.isEmpty() && kept && IsSpecialFile(*kept))
            return where;
        where.WritePath = fallback;
        where.CreateFolder = !fallback.isEmpty();
        where.ReadPath = fallbackExists ? fallback : (ownExists ? own : QString());
    }
    return where;
}

QStringList InstallFolders() {
    return QString::fromUtf8(ZW_INSTALL_FOLDERS).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

bool ReadSettingsFile(const QString& path, SettingsTarget& target, std::int64_t sizeLimit) {
    const std::optional<std::string> file = FollowOwnLinks(QFile::encodeName(path).toStdString());
    if (!file)
        return false;
    // Never waits for a writer, as a pipe put in the file's place would have it.
    const int fd = ::open(file->c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > sizeLimit)
        return false;
    SettingsReader reader(target);
    std::vector<char> chunk(64 * 1024);
    // A file that grows while it is read ends the read at the limit like a failed read.
    for (std::int64_t total = 0;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || (total += n) > sizeLimit)
            return false;
        if (n == 0)
            break;
        reader.Feed(chunk.data(), static_cast<std::size_t>(n));
    }
    reader.Finish();
    return true;
}

bool WriteSettingsFile(const QString& path, const std::string& text) {
    const std::optional<std::string> target = FollowOwnLinks(QFile::encodeName(path).toStdString());
    if (!target)
        return false;
    // A device, pipe, socket or folder in the file's place stays as it is: a link to /dev/null
    // is how a user keeps the settings from being saved.
    if (IsSpecialFile(*target))
        return false;
    const std::string folder = FolderOf(*target);
    const std::string name = target->substr(target->rfind('/') + 1);
    std::string temporary = folder + '/' + TempPrefix(name) + "XXXXXX";
    const int fd = CreateTemporary(temporary);
    if (fd < 0)
        return false;
    TakeOverAccess(fd, *target);
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    RemoveLeftovers(folder, name);
    return true;
}
