// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/AlbumListJob.h"

#include <string>
#include <string_view>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "jobs/AlbumListRun.h"
#include "jobs/JobContext.h"
#include "jobs/ReadFailure.h"
#include "settings/ExtensionFile.h"
#include "settings/SettingsEdits.h"
#include "sites/AdapterTable.h"
#include "sites/SiteCatalogue.h"
#include "sites/kit/InputRules.h"

namespace {

// The job's own messages for input it cannot use.
constexpr std::u16string_view kEmptyInput = u"请先输入QQ号、QQ群号或相册所在页面的网址，再点获取相册";
constexpr std::u16string_view kAddressRequired =
    u"请输入相册所在页面的完整网址（以http://或https://开头），只有QQ空间、QQ群和腾讯微博可以直接输入号码";
constexpr std::u16string_view kNotice = u"提示";

// An owner folder level: cleaned, "/"-separated and ending with "/" when not empty.
void MakeFolderLevel(std::u16string& text) {
    CleanName(text, false);
    // A site's owner name may be longer than a folder's name can be.
    text = FitName(text, u"");
    StringCtrl::ReplaceAll(text, u"\\", u"/");
    if (!text.empty() && text.back() != u'/') {
        text.push_back(u'/');
    }
}

// A list that found nothing because its last page did not come, or came as a refusal, says so
// instead of the site's hint. True when it did.
bool SayUnread(const AlbumListRun& run, const ListResult& list, JobEvents& events) {
    if (list.albums.Size() != 0 || !run.LastFetch().Failed()) {
        return false;
    }
    const std::u16string line = ReadFailure::ListLine(run.LastFetch());
    events.Notice(line, u"");
    events.ListUnread(line);
    return true;
}

// Normalises the input through the site's family and runs the album list of the row the plan
// chose, then its second list when the first found nothing. A list that found nothing says why:
// the site could not be read, or the site's own hint. True when the plan asks for a single album to
// be downloaded at once.
bool ListAlbums(JobContext& context, const AdapterTable& adapters, JobEvents& events, std::u16string input) {
    ListResult& list = context.list;
    const Normalisation* normalise = NormalisationFor(list.siteType);
    if (normalise == nullptr) {
        return false;
    }
    AlbumListRun run(context, events, list.siteType);
    ListPlan plan{.input = std::move(input), .subMode = list.subMode};
    {
        AlbumCall call = run.NewCall();
        const bool planned = (*normalise)(plan, call);
        run.Note(call);
        if (!planned) {
            SayUnread(run, list, events);
            return false;
        }
    }
    list.subMode = plan.subMode;
    const AdapterRow* row = adapters.Find(list.siteType, list.subMode);
    if (row == nullptr) {
        return false;
    }
    int found = run.Run(row->albums, plan.input);
    if (found == 0 && !row->secondAlbumsName.empty()) {
        if (row->secondAlbumsSubMode != SAME_SUBMODE) {
            list.subMode = row->secondAlbumsSubMode;
        }
        found = run.Run(row->secondAlbums, plan.input);
    }
    if (found == 0 && !SayUnread(run, list, events) && !plan.emptyMessage.empty()) {
        events.Notice(plan.emptyMessage, u"");
    }
    return plan.autoDownload;
}

}  // namespace

int GetListFunc(const ListRequest& request, JobContext& context, const AdapterTable& adapters,
                JobEvents& events) {
    ListResult& list = context.list;
    context.settings.extension = ExtensionFile::Load(context.settings.programDir);
    list.siteType = request.siteType;
    list.subMode = SUBMODE_UNSET;
    list.ownerName.clear();
    list.ownerSuffix.clear();
    // What the last list handed on belongs to its albums, which are gone.
    list.handoff.reset();

    const std::u16string input = StringCtrl::Trim(request.input);
    if (input.empty()) {
        events.Notice(std::u16string(kEmptyInput), std::u16string(kNotice));
        context.control.listState = LIST_IDLE;
        return 0;
    }

    context.control.listState = LIST_RUNNING;
    events.Busy(JobKind::List);
    events.StageText(u"正在获取相册列表，请稍等...");
    events.ProgressText(u"");

    bool autoDownload = false;
    if (list.siteType != SITE_TENCENT && !InputRules::HasScheme(input)) {
        events.Notice(std::u16string(kAddressRequired), std::u16string(kNotice));
    } else {
        list.subMode = request.subMode;
        autoDownload = ListAlbums(context, adapters, events, input);
    }

    MakeFolderLevel(list.ownerName);
    MakeFolderLevel(list.ownerSuffix);
    const int albumCount = static_cast<int>(list.albums.Size());
    events.StageText(StringCtrl::Format(u"获取相册列表完成，共%d个", {albumCount}));
    context.control.listState = LIST_IDLE;
    events.Idle(JobKind::List);

    if (albumCount > 0 && SettingsEdits::AddInputHistory(context.settings, input)) {
        events.InputRemembered(input);
    }
    events.ListEnded(albumCount, autoDownload && albumCount == 1);
    return 0;
}
