// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The program folder holds "soft.dat", "下载器扩展设置.ini", "cookies.txt", the login browser's
// profile, "Q2.txt" and the thumbnail folder "tmp/". A program run from its build tree keeps them in
// the current folder, as it always did; an installed program cannot write beside its executable and
// keeps them in the user's data folder instead.
namespace ProgramDir {

enum class Origin {
    Given,       // the caller named the folder (--program-dir)
    BuildTree,   // run from a build tree: the current folder
    DataHome,    // installed: $XDG_DATA_HOME/Orvelle/, by default ~/.local/share/Orvelle/
    HomeFolder,  // installed, and ~/Orvelle/ already holds settings from before the install
};

struct Choice {
    std::u16string folder;  // ends with "/"
    Origin origin = Origin::BuildTree;
};

// What the choice looks at; ThisProcess() gathers it.
struct Sources {
    std::u16string given;       // empty when the caller names no folder
    std::u16string executable;  // the running program's file
    std::u16string currentDir;
    std::u16string home;      // $HOME
    std::u16string dataHome;  // $XDG_DATA_HOME; empty or relative counts as unset
};

Sources ThisProcess(const std::u16string& given = {});

// Looks at the disk (a build tree around the executable, settings in ~/Orvelle/) and changes nothing.
Choice Choose(const Sources& sources);

// Chooses for this process and, when the choice is the data folder and it is missing, creates it
// for the user alone (0700). A folder that cannot be created is still returned; writing into it
// fails where the caller writes.
Choice Settle(const std::u16string& given = {});

// The save folder before the user picks one: the program folder, except for an installed program
// whose folder is hidden in the data folder: then "Orvelle/" in the pictures folder, or in the
// documents folder when there is no pictures folder.
std::u16string DefaultSaveFolder(const Choice& choice, const std::u16string& picturesDir,
                                 const std::u16string& documentsDir);
std::u16string DefaultSaveFolder(const Choice& choice);

// What of the program folder cannot be written: the folder itself (a read-only mount, no rights),
// or "soft.dat" or "cookies.txt" in it when that is not a file (a folder of that name). Empty when
// everything can be written. The files are replaced through a temporary name, so a file that is
// there can be written whenever the folder can.
std::u16string UnwritablePart(const std::u16string& folder);

}  // namespace ProgramDir

// The program folder of this process: ProgramDir::Settle().folder.
std::u16string ProgramDirectory();
