// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramDir.h"

#include <cstdlib>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace ProgramDir {

namespace {

constexpr char16_t FOLDER_NAME[] = u"Orvelle/";
constexpr char16_t SETTINGS_FILE[] = u"soft.dat";

std::u16string WithSlash(std::u16string folder) {
    if (folder.empty() || folder.back() != u'/') {
        folder.push_back(u'/');
    }
    return folder;
}

std::u16string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? CodePage::FromUtf8(value) : std::u16string();
}

// CMake leaves CMakeCache.txt at the top of every build tree; the programs sit in folders below it.
bool InBuildTree(const std::u16string& executable) {
    std::u16string folder = executable;
    for (std::size_t slash = folder.rfind(u'/'); slash != std::u16string::npos && slash > 0;
         slash = folder.rfind(u'/')) {
        folder.resize(slash);
        if (FileSystem::Exists(folder + u"/CMakeCache.txt")) {
            return true;
        }
    }
    return FileSystem::Exists(u"/CMakeCache.txt");
}

}  // namespace

Sources ThisProcess(const std::u16string& given) {
    Sources sources;
    sources.given = given;
    sources.executable = FileSystem::ExecutablePath();
    sources.currentDir = FileSystem::CurrentDirectory();
    sources.home = Environment("HOME");
    sources.dataHome = Environment("XDG_DATA_HOME");
    return sources;
}

Choice Choose(const Sources& sources) {
    if (!sources.given.empty()) {
        return {WithSlash(sources.given), Origin::Given};
    }
    // Without an executable or a home there is no telling where the user's data goes.
    bool hasHome = !sources.home.empty() && sources.home.front() == u'/';
    bool hasDataHome = !sources.dataHome.empty() && sources.dataHome.front() == u'/';
    if (sources.executable.empty() || InBuildTree(sources.executable) || (!hasHome && !hasDataHome)) {
        return {WithSlash(sources.currentDir), Origin::BuildTree};
    }
    std::u16string dataFolder =
        (hasDataHome ? WithSlash(sources.dataHome) : WithSlash(sources.home) + u".local/share/") +
        FOLDER_NAME;
    if (FileSystem::IsDirectory(dataFolder)) {
        return {dataFolder, Origin::DataHome};
    }
    // Settings written by a run from the build tree before the program was installed.
    if (hasHome) {
        std::u16string homeFolder = WithSlash(sources.home) + FOLDER_NAME;
        if (FileSystem::Exists(homeFolder + SETTINGS_FILE)) {
            return {homeFolder, Origin::HomeFolder};
        }
    }
    return {dataFolder, Origin::DataHome};
}

Choice Settle(const std::u16string& given) {
    Choice choice = Choose(ThisProcess(given));
    if (choice.origin == Origin::DataHome) {
        FileSystem::CreatePrivateDirectories(choice.folder);
    }
    return choice;
}

std::u16string DefaultSaveFolder(const Choice& choice, const std::u16string& picturesDir,
                                 const std::u16string& documentsDir) {
    if (choice.origin != Origin::DataHome) {
        return choice.folder;
    }
    bool hasPictures = !picturesDir.empty() && FileSystem::IsDirectory(picturesDir);
    return WithSlash(hasPictures ? picturesDir : documentsDir) + FOLDER_NAME;
}

std::u16string DefaultSaveFolder(const Choice& choice) {
    return DefaultSaveFolder(choice, FileSystem::PicturesDirectory(), FileSystem::DocumentsDirectory());
}

std::u16string UnwritablePart(const std::u16string& folder) {
    if (!FileSystem::IsDirectory(folder) || !FileSystem::CanCreateFilesIn(folder)) {
        return folder;
    }
    for (const char16_t* name : {u"soft.dat", u"cookies.txt"}) {
        const std::u16string path = folder + name;
        if (FileSystem::IsDirectory(path)) {
            return path;
        }
    }
    return {};
}

}  // namespace ProgramDir

std::u16string ProgramDirectory() {
    return ProgramDir::Settle().folder;
}
