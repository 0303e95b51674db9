#include "core/AlbumListJob.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/StringCtrl.h"
#include "MyCode/TextFlags.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "download/Naming.h"
#include "settings/SettingsEdits.h"
#include "sites/AdapterTable.h"
#include "sites/BaiduHosts.h"
#include "sites/CommunityHosts.h"
#include "sites/GalleryHosts.h"
#include "sites/NeteaseHosts.h"
#include "sites/PortalHosts.h"
#include "sites/RenrenHosts.h"
#include "sites/ShopHosts.h"
#include "sites/SinaHosts.h"
#include "sites/SiteSession.h"
#include "sites/TencentHosts.h"

namespace {

using StringCtrl::CutAt;
using StringCtrl::SkipPast;

// The job's own messages for input it cannot use.
constexpr std::u16string_view kEmptyInput = u"请先输入QQ号、QQ群号或相册所在页面的网址，再点获取相册";
constexpr std::u16string_view kAddressRequired =
    u"请输入相册所在页面的完整网址（以http://或https://开头），只有QQ空间、QQ群和腾讯微博可以直接输入号码";
constexpr std::u16string_view kOfferAddressRequired =
    u"请输入1688商品详情页的网址（网址中含有1688.com/offer，如：http://detail.1688.com/offer/123456.html）";
constexpr std::u16string_view kJdItemAddressRequired =
    u"请输入京东商品页的网址（网址中含有item.jd.com，如：http://item.jd.com/123456.html）";
constexpr std::u16string_view kNotice = u"提示";

// Help shown when a site's adapter found nothing.
constexpr std::u16string_view kQzoneNumberOnly = u"请直接输入QQ号进行下载";
constexpr std::u16string_view kQzoneEmpty =
    u"没有获取到相册，原因如下：\n\n1、可能是因为空间不是公开的，你哪个号能进入他的空间，就先在下载器的登录菜"
    u"单里登录"
    u"了那个号后再点获取相册\n\n2、下载QQ空间相册请直接输入QQ号进行下载";
constexpr std::u16string_view kWeiboEmpty =
    u"没有获取到相册，可按以下步骤操作：\n\n1、请先在下载器的登录菜单里登录你的腾讯微博帐号("
    u"登录时勾上下次自动登录)\n\n"
    u"2、输入你要下载的那个人的微博主页网址后，点获取相册列表";
constexpr std::u16string_view kQqGroupEmpty =
    u"没有获取到相册，可按以下步骤操作：\n\n1、你哪个号加入了你要下载的QQ群，就先在下载器的登录菜单里登录那个"
    u"QQ号\n\n"
    u"2、输入你要下载的QQ群号后，点获取相册列表";
constexpr std::u16string_view kZhanEmpty =
    u"1、没有获取到相册，需要你在登录菜单里登录一个人人帐号(登录时勾上下次自动登录)后重新获取";
constexpr std::u16string_view kSinaEmpty =
    u"没有获取到相册，请在登录菜单里登录新浪(微博)帐号后重试,登录时勾上下次自动登录";
constexpr std::u16string_view kYupooEmpty =
    u"没有获取到相册，如果网址正确，请按以下步骤操作\r\n\r\n1、将下载器添加到杀毒软件信任列表里\r\n2、重新打"
    u"开下载器";
constexpr std::u16string_view kTaobaoEmpty =
    u"没有获取到淘宝宝贝，如果是整店下载，需要在下载器的登录菜单里登录一个淘宝帐号后再获取";
constexpr std::u16string_view kHupuEmpty = u"请先在登录菜单里登录虎扑帐号后重试(登录时勾上下次自动登录)";

constexpr std::u16string_view kBusyButton = u"终止获取";
constexpr std::u16string_view kIdleButton = u"获取相册";

bool Contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

// For the markers that a site's address carries after its host: an occurrence at the input's
// first character does not count.
bool ContainsAfterStart(std::u16string_view text, std::u16string_view part) {
    std::size_t pos = text.find(part);
    return pos != std::u16string_view::npos && pos > 0;
}

bool HasScheme(std::u16string_view text) {
    return Contains(text, u"http://") || Contains(text, u"https://");
}

// Skips past the first "http://" or "https://", whichever comes first.
void SkipScheme(std::u16string& text) {
    std::size_t http = text.find(u"http://");
    std::size_t https = text.find(u"https://");
    if (https != std::u16string::npos && (http == std::u16string::npos || https < http)) {
        SkipPast(text, u"https://");
    } else {
        SkipPast(text, u"http://");
    }
}

void CutAtEach(std::u16string& text, std::initializer_list<std::u16string_view> markers) {
    for (std::u16string_view marker : markers) {
        CutAt(text, marker);
    }
}

bool IsAllDigits(std::u16string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

std::u16string Joined(std::u16string_view a, std::u16string_view b, std::u16string_view c = {},
                      std::u16string_view d = {}) {
    std::u16string out(a);
    out.append(b).append(c).append(d);
    return out;
}

// An owner folder level: cleaned, "/"-separated and ending with "/" when not empty.
void MakeFolderLevel(std::u16string& text) {
    CleanName(text, false);
    StringCtrl::ReplaceAll(text, u"\\", u"/");
    if (!text.empty() && text.back() != u'/') {
        text.push_back(u'/');
    }
}

// One run of the job: the input being normalised and what the branch decided.
class ListRun {
public:
    ListRun(JobContext& job, const AdapterTable& adapters, std::u16string input)
        : job_(job), adapters_(adapters), window_(*job.window), input_(std::move(input)) {}

    void Normalise();
    bool AutoDownload() const { return autoDownload_; }

private:
    // Calls an album-list operation (an adapter not built yet emits nothing) and tells whether
    // it emitted at least one album.
    bool Call(const AlbumListOp& op, const std::u16string& input) {
        std::size_t before = job_.albums.Size();
        if (op) {
            op(input, job_);
        }
        return job_.albums.Size() > before;
    }
    void Show(std::u16string_view text, std::u16string_view caption = {}) {
        window_.MessageBox(std::u16string(text), std::u16string(caption), MB_OK);
    }
    // Page fetches of the normalisation: UTF-8 text, inflated; false when nothing came.
    static bool FetchPage(const std::u16string& url, std::u16string& page) {
        SiteSession session;
        session.SetExtraHeaders({});
        return session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, page);
    }

    void Tencent();
    void Baidu();
    void Netease();
    void Renren();
    void Sina();
    void Site56();
    void Poco();
    void Yupoo();
    void Site51();
    void Zol();
    void Pchome();
    void Shop();
    void Moko();
    void Babytree();
    void Pconline();
    void Hupu();
    void Jd();

    JobContext& job_;
    const AdapterTable& adapters_;
    WindowPort& window_;
    std::u16string input_;
    bool autoDownload_ = false;
};

void ListRun::Normalise() {
    switch (job_.siteType) {
        case SITE_TENCENT:
            return Tencent();
        case SITE_BAIDU:
            return Baidu();
        case SITE_NETEASE:
            return Netease();
        case SITE_RENREN:
            return Renren();
        case SITE_SINA:
            return Sina();
        case SITE_56:
            return Site56();
        case SITE_POCO:
            return Poco();
        case SITE_YUPOO:
            return Yupoo();
        case SITE_51:
            return Site51();
        case SITE_ZOL:
            return Zol();
        case SITE_PCHOME:
            return Pchome();
        case SITE_SHOP:
            return Shop();
        case SITE_MOKO:
            return Moko();
        case SITE_BABYTREE:
            return Babytree();
        case SITE_PCONLINE:
            return Pconline();
        case SITE_HUPU:
            return Hupu();
        case SITE_JD:
            return Jd();
        default:
            return;
    }
}

void ListRun::Tencent() {
    std::u16string& in = input_;
    if (job_.subMode == TENCENT_QZONE) {
        SkipPast(in, TencentHosts::kTopLevelDomain);
        CutAtEach(in, {u"/", u"&", u"*", u"?", u"#"});
        if (!IsAllDigits(in)) {
            Show(kQzoneNumberOnly);
            return;
        }
        bool found = Call(adapters_.qzone.albums, in);
        job_.ownerName = in;
        job_.subMode = TENCENT_QZONE;
        if (!found && !Call(adapters_.qzoneSecondAlbums, in)) {
            Show(kQzoneEmpty);
        }
    } else if (Contains(in, TencentHosts::kWeiboHome) || job_.subMode == TENCENT_WEIBO) {
        SkipPast(in, TencentHosts::kWeiboTopLevelDomain);
        SkipPast(in, u"hoto/");
        CutAtEach(in, {u"/", u"?"});
        job_.extraKey = in;
        job_.ownerName = in;
        bool found = Call(adapters_.tencentWeibo.albums, in);
        job_.subMode = TENCENT_WEIBO;
        if (!found) {
            Show(kWeiboEmpty);
        }
    } else if (job_.subMode == TENCENT_QQGROUP) {
        SkipPast(in, u"!/");
        CutAtEach(in, {u"/", u"?", u"#"});
        job_.ownerName = in;
        bool found = Call(adapters_.qqGroup.albums, in);
        job_.subMode = TENCENT_QQGROUP;
        if (!found) {
            Show(kQqGroupEmpty);
        }
    }
}

void ListRun::Baidu() {
    std::u16string& in = input_;
    if (Contains(in, BaiduHosts::kTiebaHost)) {
        bool photoPage = ContainsAfterStart(in, BaiduHosts::kTiebaPhotoPage);
        if (photoPage) {
            // One photo page is one album: it is downloaded at once when found.
            autoDownload_ = true;
            Call(adapters_.tiebaPage.albums, in);
        }
        SkipPast(in, u"kw=");
        CutAtEach(in, {u"/", u"?", u"#", u"&"});
        job_.siteKey = in;
        if (!photoPage) {
            Call(adapters_.tiebaAlbums.albums, in);
        }
        // Tieba names travel percent-encoded in GBK.
        job_.ownerName = StringCtrl::UrlDecode(in, false);
        job_.subMode = photoPage ? BAIDU_TIEBA_PAGE : BAIDU_TIEBA;
        return;
    }
    if (!Contains(in, u"u/")) {
        std::u16string page;
        if (!FetchPage(in, page)) {
            return;
        }
        in = StringCtrl::GetBetween(page, u"/profile/", u"\"");
    }
    SkipPast(in, u"u/");
    CutAtEach(in, {u"/", u"?", u"#", u"&"});
    Call(adapters_.baiduAlbums.albums, in);
    job_.subMode = BAIDU_ALBUM;
}

void ListRun::Netease() {
    if (ContainsAfterStart(input_, NeteaseHosts::kPpMarker)) {
        Call(adapters_.neteasePp.albums, input_);
        job_.subMode = NETEASE_PP;
    } else {
        // subMode stays unset, which the download job reads as the photo albums.
        Call(adapters_.neteasePhoto.albums, input_);
    }
}

void ListRun::Renren() {
    std::u16string& in = input_;
    if (ContainsAfterStart(in, u"/album-")) {
        CutAt(in, u"?");
        job_.subMode = RENREN_PHOTO;
        Call(adapters_.renrenPhoto.albums, in);
        return;
    }
    if (Contains(in, RenrenHosts::kZhanMarker)) {
        job_.subMode = RENREN_ZHAN;
        if (!Call(adapters_.renrenZhan.albums, in)) {
            Show(kZhanEmpty);
        }
        return;
    }
    bool publicPage = Contains(in, RenrenHosts::kPublicPageMarker);
    job_.subMode = RENREN_PHOTO;
    SkipPast(in, u"id=");
    CutAtEach(in, {u"?", u"/album", u"/profile", u"/channel-"});
    if (in.find(u'/', 1) != std::u16string::npos) {
        in.erase(0, in.rfind(u'/') + 1);
    }
    if (!IsAllDigits(in)) {
        // A profile name: its page names the numeric id.
        std::u16string page;
        if (!FetchPage(Joined(publicPage ? RenrenHosts::kPublicPage : RenrenHosts::kMain, u"/", in), page)) {
            return;
        }
        in = StringCtrl::GetBetween(page, u"pid: '", u"'");
        if (in.empty()) {
            in = StringCtrl::GetBetween(page, u"profile_owner =", u";");
        }
    }
    in = StringCtrl::Trim(in);
    Call(adapters_.renrenPhoto.albums, in);
}

void ListRun::Sina() {
    std::u16string& in = input_;
    bool found = false;
    if (ContainsAfterStart(in, u"/s/")) {
        job_.subMode = SINA_BLOG_ARTICLES;
        std::size_t underscore = in.rfind(u'_');
        in.erase(underscore == std::u16string::npos ? 0 : underscore);
        found = Call(adapters_.sinaBlogArticles.albums, in);
    } else if (ContainsAfterStart(in, SinaHosts::kWeiboDomain)) {
        job_.subMode = SINA_WEIBO;
        found = Call(adapters_.sinaWeibo.albums, in);
    } else {
        job_.subMode = SINA_BLOG_ALBUMS;
        found = Call(adapters_.sinaBlogAlbums.albums, in);
    }
    if (!found) {
        Show(kSinaEmpty);
    }
}

void ListRun::Site56() {
    std::u16string& user = job_.ownerName;
    user = input_;
    SkipPast(user, u"user=");
    SkipPast(user, u"album/");
    CutAtEach(user, {u"&", u"/", u"?"});
    input_ = StringCtrl::Format(Joined(GalleryHosts::k56Photo, u"/photo/album/index.php?user=%s&perPage=20"),
                                {user});
    Call(adapters_.site56.albums, input_);
}

void ListRun::Poco() {
    std::u16string& in = input_;
    if (ContainsAfterStart(in, u"/album") || ContainsAfterStart(in, u"/theme")) {
        job_.subMode = POCO_ALBUMS;
        SkipPast(in, u"user_id-");
        SkipPast(in, u"user_id=");
        CutAtEach(in, {u"&", u"."});
        Call(adapters_.pocoAlbums.albums, in);
        return;
    }
    if (!(Contains(in, u"act_list") && Contains(in, u"&"))) {
        SkipPast(in, u"id-");
        SkipPast(in, u"id=");
        CutAtEach(in, {u"/", u"&", u"*", u"?", u"#", u"."});
        job_.siteKey = in;
        in = StringCtrl::Format(
            Joined(GalleryHosts::kPocoPersonal, u"/act/act_list.htx&user_id=%s&act_type_id=0"), {in});
    }
    // The activity list appends its own page parameter; no other may remain in the address.
    StringCtrl::ReplaceAll(in, u"p=", u"zmw=");
    job_.subMode = POCO_ACTIVITY;
    Call(adapters_.pocoActivity.albums, in);
}

void ListRun::Yupoo() {
    std::u16string& in = input_;
    StringCtrl::ReplaceAll(in, u"/collections/", u"/albums/");
    if (ContainsAfterStart(in, GalleryHosts::kYupooUserHostMarker)) {
        SkipScheme(in);
        CutAt(in, GalleryHosts::kYupooUserHostMarker);
        in = Joined(GalleryHosts::kYupooSecond, u"/photos/", in, u"/albums/");
    } else if (Contains(in, Joined(u"://", GalleryHosts::kYupooSecondHostName)) ||
               Contains(in, GalleryHosts::kYupooMainHost)) {
        CutAt(in, u"page");
    } else {
        SkipScheme(in);
        CutAt(in, GalleryHosts::kYupooUserDomain);
        in = Joined(GalleryHosts::kYupooMain, u"/photos/", in, u"/albums/");
    }
    if (!Call(adapters_.yupoo.albums, in)) {
        Show(kYupooEmpty);
    }
}

void ListRun::Site51() {
    SkipPast(input_, PortalHosts::k51TopLevelDomain);
    CutAt(input_, u"/");
    job_.ownerName = input_;
    Call(adapters_.site51.albums, input_);
}

void ListRun::Zol() {
    SkipPast(input_, PortalHosts::kZolTopLevelDomain);
    CutAt(input_, u"/");
    Call(adapters_.zol.albums, input_);
}

void ListRun::Pchome() {
    SkipPast(input_, PortalHosts::kPchomeTopLevelDomain);
    CutAtEach(input_, {u"/", u"&", u"*", u"?"});
    job_.ownerName = input_;
    Call(adapters_.pchome.albums, input_);
}

void ListRun::Shop() {
    std::u16string& in = input_;
    // A shop item is one album: it is downloaded at once when found.
    autoDownload_ = true;
    if (ContainsAfterStart(in, ShopHosts::k1688Marker)) {
        if (!Contains(in, ShopHosts::k1688Offer)) {
            Show(kOfferAddressRequired, kNotice);
            return;
        }
        Call(adapters_.offer1688.albums, in);
        job_.subMode = SHOP_1688;
        return;
    }
    if (ContainsAfterStart(in, u"search") || ContainsAfterStart(in, ShopHosts::kItemHostMarker) ||
        ContainsAfterStart(in, u"/category-")) {
        // The listing appends its own paging parameters; the user's must not compete with them.
        if (!Contains(in, u"?")) {
            in.push_back(u'?');
        }
        StringCtrl::ReplaceAll(in, u"pageNum=", u"Zmw1=");
        StringCtrl::ReplaceAll(in, u"viewType=", u"Zmw2=");
    } else {
        // Any other shop page: search the whole shop.
        CutAt(in, ShopHosts::kTopLevelDomain);
        in = Joined(in, ShopHosts::kTopLevelDomain, u"/?search=y");
    }
    if (!Call(adapters_.taobao.albums, in)) {
        Show(kTaobaoEmpty);
    }
}

void ListRun::Moko() {
    std::u16string& in = input_;
    if (!Contains(in, u"/post")) {
        SkipPast(in, CommunityHosts::kMokoDomain);
        CutAt(in, u"/");
        in = Joined(CommunityHosts::kMoko, u"/post/", in, u"/list.html");
    }
    Call(adapters_.moko.albums, in);
}

void ListRun::Babytree() {
    job_.subMode = BABYTREE_NEW;
    SkipPast(input_, CommunityHosts::kBabytreeTopLevelDomain);
    CutAtEach(input_, {u"&", u"/"});
    if (!Call(adapters_.babytreeNew.albums, input_)) {
        Call(adapters_.babytreeOld.albums, input_);
        job_.subMode = BABYTREE_OLD;
    }
}

void ListRun::Pconline() {
    std::u16string& in = input_;
    if (ContainsAfterStart(in, u"_p")) {
        // A page of an album: the first "_p<page>_" becomes the place the adapter pages through.
        for (int i = 1; i <= 99; ++i) {
            job_.siteKey = StringCtrl::Format(u"_p%d_", {i});
            if (Contains(in, job_.siteKey)) {
                StringCtrl::ReplaceAll(in, job_.siteKey, u"_dk1stp_");
                break;
            }
        }
    } else if (ContainsAfterStart(in, CommunityHosts::kPconlinePersonalMarker)) {
        StringCtrl::ReplaceAll(in, u".html", u"_dk1stp_n15.html");
    } else {
        SkipPast(in, CommunityHosts::kPconlineTopLevelDomain);
        CutAt(in, u"/");
        job_.siteKey = in;
        in = StringCtrl::Format(Joined(CommunityHosts::kPconlinePhoto, u"/%s/myphoto_dk1stp_n15.html"), {in});
    }
    Call(adapters_.pconline.albums, in);
}

void ListRun::Hupu() {
    if (!Call(adapters_.hupu.albums, input_)) {
        Show(kHupuEmpty);
    }
}

void ListRun::Jd() {
    // A JD item is one album: it is downloaded at once when found.
    autoDownload_ = true;
    if (!Contains(input_, ShopHosts::kJdItemHost)) {
        Show(kJdItemAddressRequired, kNotice);
        return;
    }
    Call(adapters_.jd.albums, input_);
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
    if (job.window == nullptr) {
        job.listState = LIST_IDLE;
        return 0;
    }
    WindowPort& window = *job.window;

    job.extension.Load(job.programDir);
    job.siteType = window.SiteSelection();
    job.ownerName.clear();
    job.ownerSuffix.clear();

    std::u16string input = StringCtrl::Trim(window.GetText(IDC_INPUT));
    if (input.empty()) {
        window.MessageBox(std::u16string(kEmptyInput), std::u16string(kNotice), MB_OK);
        job.listState = LIST_IDLE;
        return 0;
    }

    EnterBusyState(job, window);

    bool autoDownload = false;
    if (job.siteType != SITE_TENCENT && !HasScheme(input)) {
        window.MessageBox(std::u16string(kAddressRequired), std::u16string(kNotice), MB_OK);
    } else {
        if (window.SubModeVisible()) {
            job.subMode = window.SubModeSelection();
        }
        ListRun run(job, adapters, input);
        run.Normalise();
        autoDownload = run.AutoDownload();
    }

    MakeFolderLevel(job.ownerName);
    MakeFolderLevel(job.ownerSuffix);
    window.GridChanged();
    int albumCount = static_cast<int>(job.albums.Size());
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
