// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings file on disk: where it lies, reading it as a stream, replacing it atomically.

#include "SettingsReader.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

// Does a file, or for a name without "." also a folder, of that name exist? Wildcards "*"
// and "?" act as wildcards; hidden entries (names starting with ".") and special files
// (pipes, devices, sockets) never count; any error counts as not found.
bool ExistFile(const QString& CheckFile);

// Where the settings are read from and written to.
//
// A name with a path separator ("\" or "/") is used as it is. A plain name lies in the
// program folder, and everything stays there while the program is not installed and its
// folder can be written: a portable copy behaves exactly as on its own, and a file there that
// cannot be written, or a link to it that belongs to another user, stays as it is. An
// installed program (run from one of installFolders), and one whose folder, or the folder its
// own link leads to, cannot take a new file, uses the same name in the fallback folder,
// reading the program folder's file only as long as there is no file of its own yet. Where a
// device, pipe, socket or folder takes the program folder's file's place, directly or through
// the user's own links, nothing is read or written anywhere.
struct SettingsLocation {
    QString ReadPath;          // empty: there is no file to read
    QString WritePath;         // empty: nothing may be written
    bool CreateFolder = false; // the write path's folder is made when missing
};

SettingsLocation ResolveSettingsLocation(const QString& fileName, const QString& programFolder,
                                         const QString& fallbackFolder,
                                         const QStringList& installFolders);

// The bin folders this build installs the program into: the configured prefix's and the
// Debian package's.
QStringList InstallFolders();

// Far more than any settings file holds; a larger file is not read at all.
inline constexpr std::int64_t SettingsFileSizeLimit = 4 << 20;

// Streams the file through a SettingsReader. Returns false when it cannot be opened or a read
// fails; lines read before the failure have taken effect, the one cut off has not. Only a
// regular file of at most sizeLimit bytes is read, and, as for writing, a link only while it
// belongs to the user running the program.
bool ReadSettingsFile(const QString& path, SettingsTarget& target, std::int64_t sizeLimit);

// Replaces the file through a temporary file in the same folder, written, flushed to the disk
// and renamed over it: whatever fails or interrupts the write leaves the old file or the new
// one, never a part. Only a regular file is replaced; where a device, pipe, socket or folder
// is, nothing is written. A link is followed only while it belongs to the user running the
// program; through another's link nothing is written. Leftover temporary files of earlier,
// interrupted writes are removed. Returns false when nothing was replaced.
bool WriteSettingsFile(const QString& path, const std::string& text);
