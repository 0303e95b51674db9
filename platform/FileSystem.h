// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Files and folders. Paths are UTF-16 text with "/" separators, as the rest of the program holds
// them; they are handed to the system as UTF-8.
namespace FileSystem {

std::string NativePath(std::u16string_view path);

bool Exists(std::u16string_view path);
bool IsDirectory(std::u16string_view path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateDirectories(std::u16string_view path);
// Like CreateDirectories, but every folder it creates is the user's alone (0700); folders that
// exist keep their mode.
bool CreatePrivateDirectories(std::u16string_view path);

// Reads a whole file; false when it cannot be opened or read.
bool ReadFile(std::u16string_view path, std::string& out);
// Reads a whole file that must be a regular file: a FIFO, a device or a folder is not read at all
// (reading one may block for ever or never end), and notAFile is then true. False when it is not a
// regular file or cannot be opened or read.
bool ReadRegularFile(std::u16string_view path, std::string& out, bool& notAFile);
// Reads at most maxBytes from the start of a file.
bool ReadFilePrefix(std::u16string_view path, std::size_t maxBytes, std::string& out);
// Like ReadFilePrefix, for a file under a name someone else may have planted: reads only a regular
// file that is there under that very name. A symbolic link is not followed and a folder, device or
// pipe is not opened for reading (so nothing waits on it); false for all of them.
bool ReadRegularFilePrefix(std::u16string_view path, std::size_t maxBytes, std::string& out);

// Writes the file whole beside path, flushes, then puts it in place (AtomicFile), so readers see
// the old file or the whole new one and never a part. mode is applied to the new file. On failure
// nothing is left behind and false is returned; error then holds the errno (ENOSPC: disk full).
bool WriteFileAtomic(std::u16string_view path, std::string_view bytes, unsigned mode = 0644);
bool WriteFileAtomic(std::u16string_view path, std::string_view bytes, unsigned mode, int& error);
// Puts the names given in folder (files created, linked or renamed there) on disk, for a file that
// must not outlast them after a crash. False when the folder is missing or the flush failed; a
// folder this process may not read, or a file system that cannot flush folders, has nothing more to
// give and counts as flushed.
bool FlushDirectory(std::u16string_view folder);
// Whether this process may create files in folder (a read-only file system or missing rights say no).
bool CanCreateFilesIn(std::u16string_view folder);
// Appends to a file, creating it when missing.
bool AppendFile(std::u16string_view path, std::string_view bytes);

// A new folder under the system's temporary folder ($TMPDIR, else /tmp) that only this user may
// enter, for files that live a moment, with a trailing "/"; empty when none could be made.
std::u16string CreatePrivateTempDirectory();
// Removes a folder with everything in it.
bool RemoveTree(std::u16string_view path);

bool Rename(std::u16string_view from, std::u16string_view to);
// Like Rename, but fails instead of replacing a file that already exists at to.
bool RenameNoReplace(std::u16string_view from, std::u16string_view to);
bool Remove(std::u16string_view path);
// Removes a folder only when it is empty.
bool RemoveEmptyDirectory(std::u16string_view path);

// Seconds since the epoch; sets access and modification time (there is no creation time here).
// A symbolic link at path is not followed: its own times change, never its target's.
bool SetFileTimes(std::u16string_view path, std::int64_t unixSeconds);
// Modification time in seconds since the epoch, -1 when the file is missing.
std::int64_t ModificationTime(std::u16string_view path);

// The process's current folder with a trailing "/".
std::u16string CurrentDirectory();
// The user's documents and pictures folders with a trailing "/", as xdg-user-dir names them:
// XDG_DOCUMENTS_DIR / XDG_PICTURES_DIR from the environment, else from the desktop's
// user-dirs.dirs (a Chinese desktop says "$HOME/文档"), else $HOME/Documents / $HOME/Pictures.
// The folder need not exist.
std::u16string DocumentsDirectory();
std::u16string PicturesDirectory();

// The running program's file with symbolic links resolved; empty when the system does not say.
std::u16string ExecutablePath();

}  // namespace FileSystem
