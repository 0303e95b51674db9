#include "settings/SettingsEdits.h"

#include "settings/DialogRules.h"
#include "settings/History.h"
#include "settings/OptionToggles.h"
#include "settings/SettingsFile.h"

namespace SettingsEdits {

bool ToggleOption(JobContext& context, OptionFlag flag) {
    if (!OptionToggles::IsEnabled(flag, context.list.siteType)) {
        return false;
    }
    std::uint16_t& options = context.CurrentSettings().naming.options;
    options = OptionToggles::Toggle(options, flag);
    SettingsFile::Save(context);
    return true;
}

bool ApplyDownloadParams(JobContext& context, std::u16string_view minPictureKB,
                         std::u16string_view maxPictureKB, std::u16string_view threadCount,
                         std::u16string_view timeoutSec) {
    if (!DialogRules::ParseDownloadParams(minPictureKB, maxPictureKB, threadCount, timeoutSec,
                                          context.CurrentSettings().download)) {
        return false;
    }
    SettingsFile::Save(context);
    return true;
}

void ApplyNaming(JobContext& context, const NamingSettings& edited) {
    NamingSettings& naming = context.CurrentSettings().naming;
    DialogRules::StoreNamingField(naming.filePrefix, edited.filePrefix);
    DialogRules::StoreNamingField(naming.fileSuffix, edited.fileSuffix);
    DialogRules::StoreNamingField(naming.replaceFrom, edited.replaceFrom);
    DialogRules::StoreNamingField(naming.replaceTo, edited.replaceTo);
    DialogRules::StoreNamingField(naming.folderPrefix, edited.folderPrefix);
    DialogRules::StoreNamingField(naming.folderSuffix, edited.folderSuffix);
    naming.baseName = edited.baseName;
    naming.folderNaming = edited.folderNaming;
    SettingsFile::Save(context);
}

namespace {
bool AddAndSave(JobContext& context, History::Entries& entries, std::u16string_view text) {
    if (!History::Add(entries, text)) {
        return false;
    }
    SettingsFile::Save(context);
    return true;
}
}  // namespace

bool AddInputHistory(JobContext& context, std::u16string_view text) {
    return AddAndSave(context, context.inputHistory, text);
}

bool AddPathHistory(JobContext& context, std::u16string_view text) {
    return AddAndSave(context, context.pathHistory, text);
}

}  // namespace SettingsEdits
