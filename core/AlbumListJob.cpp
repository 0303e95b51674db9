#include "core/AlbumListJob.h"

#include <string>
#include <string_view>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "download/Naming.h"
#include "settings/ExtensionFile.h"
#include "settings/SettingsEdits.h"
#include "sites/AdapterTable.h"
#include "sites/SiteCatalogue.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/InputRules.h"
#include "sites/kit/Run.h"

namespace {

// The job's own messages for input it cannot use.
constexpr std::u16string_view kEmptyInput = u"请先输入QQ号、QQ群号或相册所在页面的网址，再点获取相册";
constexpr std::u16string_view kAddressRequired =
    u"请输入相册所在页面的完整网址（以http://或https://开头），只有QQ空间、QQ群和腾讯微博可以直接输入号码";
constexpr std::u16string_view kNotice = u"提示";

constexpr std::u16string_view kBusyButton = u"终止获取";
constexpr std::u16string_view kIdleButton = u"获取相册";

// An owner folder level: cleaned, "/"-separated and ending with "/" when not empty.
void MakeFolderLevel(std::u16string& text) {
    CleanName(text, false);
    StringCtrl::ReplaceAll(text, u"\\", u"/");
    if (!text.empty() && text.back() != u'/') {
        text.push_back(u'/');
    }
}

// Normalises the input through the site's family and runs the album list of the row the plan
// chose, then its second list when the first found nothing. True when the plan asks for a single
// album to be downloaded at once.
bool ListAlbums(JobContext& job, const AdapterTable& adapters, std::u16string input) {
    const Normalisation* normalise = NormalisationFor(job.list.siteType);
    ListPlan plan{.input = std::move(input), .subMode = job.list.subMode};
    if (normalise == nullptr) {
        return false;
    }
    AlbumCall call(job);
    if (!(*normalise)(plan, call)) {
        return false;
    }
    job.list.subMode = plan.subMode;
    const AdapterRow* row = adapters.Find(job.list.siteType, job.list.subMode);
    if (row == nullptr) {
        return false;
    }
    int found = RunAlbumList(row->albums, plan.input, job);
    if (found == 0 && !row->secondAlbumsName.empty()) {
        if (row->secondAlbumsSubMode != SAME_SUBMODE) {
            job.list.subMode = row->secondAlbumsSubMode;
        }
        found = RunAlbumList(row->secondAlbums, plan.input, job);
    }
    if (found == 0 && !plan.emptyMessage.empty()) {
        job.window->MessageBox(plan.emptyMessage, u"", MB_OK);
    }
    return plan.autoDownload;
}

void EnterBusyState(JobContext& job, WindowPort& window) {
    job.listState = LIST_RUNNING;
    for (int control :
         {IDC_SITE, IDC_DOWNLOAD_BUTTON, IDC_INPUT, IDC_PREVIEW, IDC_FIND, IDC_FILTER, IDC_EXPORT}) {
        window.EnableControl(control, false);
    }
    window.SetCheck(IDC_SELECT_ALL, false);
    window.SetText(IDC_LIST_BUTTON, std::u16string(kBusyButton));
    window.SetText(IDC_GROUP, u"相册列表");
    window.SetText(IDC_STAGE, u"正在获取相册列表，请稍等...");
    window.SetText(IDC_PROGRESS, u"");
    window.ShowControl(IDC_NOTICE, false);
}

void LeaveBusyState(JobContext& job, WindowPort& window, int albumCount) {
    window.SetText(IDC_GROUP, StringCtrl::Format(u"相册列表(共%d个)", {albumCount}));
    window.SetText(IDC_STAGE, StringCtrl::Format(u"获取相册列表完成，共%d个", {albumCount}));
    job.listState = LIST_IDLE;
    window.EnableControl(IDC_SITE, true);
    window.EnableControl(IDC_DOWNLOAD_BUTTON, albumCount > 0);
    window.SetText(IDC_LIST_BUTTON, std::u16string(kIdleButton));
    for (int control : {IDC_INPUT, IDC_PREVIEW, IDC_FIND, IDC_FILTER, IDC_EXPORT}) {
        window.EnableControl(control, true);
    }
}

}  // namespace

int GetListFunc(JobContext& job, const AdapterTable& adapters, const std::function<void()>& pressDownload) {
    WindowPort& window = *job.window;

    job.extension = ExtensionFile::Load(job.programDir);
    job.list.siteType = window.SiteSelection();
    job.list.ownerName.clear();
    job.list.ownerSuffix.clear();
    // What the last list handed on belongs to its albums, which are gone.
    job.list.handoff.reset();

    std::u16string input = StringCtrl::Trim(window.GetText(IDC_INPUT));
    if (input.empty()) {
        window.MessageBox(std::u16string(kEmptyInput), std::u16string(kNotice), MB_OK);
        job.listState = LIST_IDLE;
        return 0;
    }

    EnterBusyState(job, window);

    bool autoDownload = false;
    if (job.list.siteType != SITE_TENCENT && !InputRules::HasScheme(input)) {
        window.MessageBox(std::u16string(kAddressRequired), std::u16string(kNotice), MB_OK);
    } else {
        if (window.SubModeVisible()) {
            job.list.subMode = window.SubModeSelection();
        }
        autoDownload = ListAlbums(job, adapters, input);
    }

    MakeFolderLevel(job.list.ownerName);
    MakeFolderLevel(job.list.ownerSuffix);
    window.GridChanged();
    int albumCount = static_cast<int>(job.list.albums.Size());
    LeaveBusyState(job, window, albumCount);

    if (albumCount > 0) {
        std::u16string typed = StringCtrl::Trim(window.GetText(IDC_INPUT));
        if (SettingsEdits::AddInputHistory(job, typed)) {
            window.AddInputHistoryItem(typed);
        }
        if (autoDownload && albumCount == 1) {
            SelectAllAlbums(job, true);
            if (pressDownload) {
                pressDownload();
            }
        }
    }
    return 0;
}
