// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/sina/WeiboMobileAdapter.h"

#include <cstddef>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/sina/SinaHosts.h"
#include "sites/sina/SinaUser.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;
// The posts tab of a user: this prefix and the user's number.
constexpr std::u16string_view kPostsContainer = u"107603";
constexpr std::u16string_view kPassedOn = u"\"retweeted_status\":{";

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The user's number from the address, after the first of the user paths that has one.
std::u16string UserNumber(std::u16string_view address) {
    for (std::u16string_view path : SinaHosts::kWeiboUserPaths) {
        const std::size_t at = address.find(path);
        if (at == std::u16string_view::npos) {
            continue;
        }
        const std::size_t from = at + path.size();
        std::size_t end = from;
        while (end < address.size() && IsDigit(address[end])) {
            ++end;
        }
        if (end > from) {
            return std::u16string(address.substr(from, end - from));
        }
    }
    return {};
}

// Where the JSON object or array opened at open ends (its closing character), strings skipped;
// npos when it is not closed.
std::size_t ClosingOf(std::u16string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            for (++i; i < text.size() && text[i] != u'"'; ++i) {
                if (text[i] == u'\\') {
                    ++i;
                }
            }
        } else if (c == u'{' || c == u'[') {
            ++depth;
        } else if ((c == u'}' || c == u']') && --depth == 0) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// A post's own part and the post it passed on, which it carries whole inside itself.
struct PostParts {
    std::u16string own;
    std::u16string passedOn;
};

PostParts Parts(const std::u16string& post) {
    PostParts parts{post, {}};
    const std::size_t at = post.find(kPassedOn);
    if (at == std::u16string::npos) {
        return parts;
    }
    const std::size_t open = at + kPassedOn.size() - 1;
    const std::size_t close = ClosingOf(post, open);
    if (close == std::u16string::npos) {
        parts.own = post.substr(0, at);
        parts.passedOn = post.substr(open);
        return parts;
    }
    parts.passedOn = post.substr(open, close + 1 - open);
    parts.own = post.substr(0, at) + post.substr(close + 1);
    return parts;
}

// "https://wx3.sinaimg.cn/orj360/x.jpg" in its large size: the size folder becomes "large".
std::u16string Large(std::u16string url) {
    const std::size_t scheme = url.find(u"://");
    const std::size_t folder = url.find(u'/', scheme == std::u16string::npos ? 0 : scheme + 3);
    const std::size_t name = folder == std::u16string::npos ? folder : url.find(u'/', folder + 1);
    if (name == std::u16string::npos) {
        return url;
    }
    return url.replace(folder + 1, name - folder - 1, u"large");
}

// The large pictures of a post's "pics" list, in order.
std::vector<std::u16string> LargePictures(std::u16string_view post) {
    std::vector<std::u16string> pictures;
    constexpr std::u16string_view kPics = u"\"pics\":[";
    const std::size_t at = post.find(kPics);
    if (at == std::u16string_view::npos) {
        return pictures;
    }
    const std::size_t open = at + kPics.size() - 1;
    const std::size_t close = ClosingOf(post, open);
    std::u16string_view list =
        post.substr(open + 1, close == std::u16string_view::npos ? close : close - open - 1);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] != u'{') {
            continue;
        }
        const std::size_t end = ClosingOf(list, i);
        std::u16string_view picture = list.substr(i, end == std::u16string_view::npos ? end : end - i + 1);
        std::u16string url = Peek(Peek(picture, u"\"large\":{", u"}"), u"\"url\":\"", u"\"");
        if (url.empty()) {
            const std::u16string shown = Peek(picture, u"\"url\":\"", u"\"");
            url = shown.empty() ? shown : Large(Unslashed(shown));
        }
        pictures.push_back(Unslashed(url));
        if (end == std::u16string_view::npos) {
            break;
        }
        i = end;
    }
    return pictures;
}

// The post's text as a picture description: the tags of its links and emoticons go.
std::u16string PostText(std::u16string_view post) {
    return StringCtrl::Trim(
        StringCtrl::StripTags(StringCtrl::UnescapeJson(Unslashed(Peek(post, u"\"text\":\"", u"\",\"")))));
}

}  // namespace

void WeiboMobileAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    const std::u16string user = UserNumber(address);
    if (user.empty()) {
        return;
    }
    const std::u16string api(SinaHosts::kWeiboMobileApi);
    std::u16string info;
    if (!call.FetchNonEmpty(Format(u"%s?type=uid&value=%s", {api, user}), kText, info)) {
        return;
    }
    // No screen name: no such user, or the API refused ({"ok":0}).
    const std::u16string name = StringCtrl::UnescapeJson(Peek(info, u"\"screen_name\":\"", u"\""));
    if (name.empty()) {
        return;
    }
    std::u16string container = std::u16string(kPostsContainer) + user;
    const std::u16string tab = Peek(info, u"\"containerid\":\"" + container, u"\"");
    container += tab;
    call.Keep<SinaUser>().userId = user;
    std::u16string owner = name;
    CleanName(owner, true);
    call.SetOwnerName(owner);

    ST_PERLISTRECORD album;
    album.name = name;
    album.url = Format(u"%s?type=uid&value=%s&containerid=%s&page=", {api, user, container});
    album.coverUrl = Unslashed(Peek(info, u"\"profile_image_url\":\"", u"\""));
    album.pictureCount = -1;
    call.Album(album);
}

void WeiboMobileAdapter::PictureList(PictureCall& call) {
    const bool passedOn = call.Extension().weiboPassedOn;
    // A post passed on twice, or a page the API gives again, brings its pictures once.
    std::unordered_set<std::u16string> emitted;
    auto emit = [&](std::u16string_view post) {
        const std::u16string description = call.Describe(PostText(post));
        for (const std::u16string& url : LargePictures(post)) {
            if (!url.empty() && emitted.insert(url).second && !call.Picture(url, description)) {
                return false;
            }
        }
        return true;
    };
    // Each card that is a post holds it as "mblog"; the page names the next page's number.
    ForEachPage(
        call, {.separator = u"\"mblog\":{", .byCursor = true},
        [&call](const Page& page) { return call.album().url + (page.cursor.empty() ? u"1" : page.cursor); },
        [&](std::u16string& post) {
            const PostParts parts = Parts(post);
            return emit(parts.own) && (!passedOn || parts.passedOn.empty() || emit(parts.passedOn));
        },
        [](Page& page) {
            const std::u16string list = Peek(page.text, u"\"cardlistInfo\":{", u"}");
            constexpr std::u16string_view kPage = u"\"page\":";
            const std::size_t at = list.find(kPage);
            const int next =
                at == std::u16string::npos ? 0 : StringCtrl::DecimalValue(list.substr(at + kPage.size()));
            page.next = next > 0 ? Format(u"%d", {next}) : std::u16string();
            return true;
        });
}
