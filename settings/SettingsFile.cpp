// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "platform/FileSystem.h"
#include "settings/SettingsBlock.h"

namespace SettingsFile {

std::u16string PathIn(const std::u16string& programDir) {
    return programDir + FILE_NAME;
}

void RepairRanges(std::array<SiteSettings, SETTINGS_SLOT_COUNT>& slots) {
    for (SiteSettings& s : slots) {
        if (s.download.threadCount < 1 || s.download.threadCount > 15) {
            s.download.threadCount = DEFAULT_THREAD_COUNT;
        }
        if (s.download.timeoutSec < 10) {
            s.download.timeoutSec = DEFAULT_TIMEOUT_SEC;
        }
    }
}

void ApplyFirstRunDefaults(std::array<SiteSettings, SETTINGS_SLOT_COUNT>& slots) {
    slots[SITE_YUPOO].naming.options |= OPT_FIX_ORDER | OPT_YUPOO_LARGE;
    slots[SITE_SHOP].naming.options |= OPT_FIX_ORDER;
    slots[SITE_JD].naming.options |= OPT_FIX_ORDER;
    slots[SITE_51].naming.baseName = BASE_SEQUENCE;
}

bool Load(ProgramSettings& settings) {
    std::u16string path = PathIn(settings.programDir);
    std::string bytes;
    bool read = FileSystem::ReadFilePrefix(path, SettingsBlock::SIZE, bytes);
    if (!read) {
        bytes.clear();
    }
    SettingsBlock::Deserialise(bytes, settings);
    RepairRanges(settings.siteSettings);
    if (!read) {
        ApplyFirstRunDefaults(settings.siteSettings);
    }
    // Replacing a file that is there but failed to read would throw away the user's settings on a
    // passing read error; only a missing file is created here.
    if (read || !FileSystem::Exists(path)) {
        Save(settings);
    }
    return read;
}

bool Save(const ProgramSettings& settings) {
    return FileSystem::WriteFileAtomic(PathIn(settings.programDir), SettingsBlock::Serialise(settings));
}

}  // namespace SettingsFile
