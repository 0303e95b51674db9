// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsEdits.h"

#include "settings/DialogRules.h"
#include "settings/History.h"
#include "settings/OptionToggles.h"
#include "settings/SettingsFile.h"

namespace SettingsEdits {

bool ToggleOption(ProgramSettings& settings, int siteType, OptionFlag flag) {
    if (!OptionToggles::IsEnabled(flag, siteType)) {
        return false;
    }
    std::uint16_t& options = settings.Slot(siteType).naming.options;
    options = OptionToggles::Toggle(options, flag);
    SettingsFile::Save(settings);
    return true;
}

bool ApplyDownloadParams(ProgramSettings& settings, int siteType, std::u16string_view minPictureKB,
                         std::u16string_view maxPictureKB, std::u16string_view threadCount,
                         std::u16string_view timeoutSec) {
    if (!DialogRules::ParseDownloadParams(minPictureKB, maxPictureKB, threadCount, timeoutSec,
                                          settings.Slot(siteType).download)) {
        return false;
    }
    SettingsFile::Save(settings);
    return true;
}

void ApplyNaming(ProgramSettings& settings, int siteType, const NamingSettings& edited) {
    NamingSettings& naming = settings.Slot(siteType).naming;
    DialogRules::StoreNamingField(naming.filePrefix, edited.filePrefix);
    DialogRules::StoreNamingField(naming.fileSuffix, edited.fileSuffix);
    DialogRules::StoreNamingField(naming.replaceFrom, edited.replaceFrom);
    DialogRules::StoreNamingField(naming.replaceTo, edited.replaceTo);
    DialogRules::StoreNamingField(naming.folderPrefix, edited.folderPrefix);
    DialogRules::StoreNamingField(naming.folderSuffix, edited.folderSuffix);
    naming.baseName = edited.baseName;
    naming.folderNaming = edited.folderNaming;
    SettingsFile::Save(settings);
}

namespace {
bool AddAndSave(ProgramSettings& settings, History::Entries& entries, std::u16string_view text) {
    if (!History::Add(entries, text)) {
        return false;
    }
    SettingsFile::Save(settings);
    return true;
}
}  // namespace

bool AddInputHistory(ProgramSettings& settings, std::u16string_view text) {
    return AddAndSave(settings, settings.inputHistory, text);
}

bool AddPathHistory(ProgramSettings& settings, std::u16string_view text) {
    return AddAndSave(settings, settings.pathHistory, text);
}

}  // namespace SettingsEdits
