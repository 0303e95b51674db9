#pragma once

#include <functional>
#include <string>

struct JobContext;

// An album-list operation: gets the normalised input, emits albums through EmitAlbum, and returns
// as soon as listState is LIST_STOP after an emission.
using AlbumListOp = std::function<void(const std::u16string& input, JobContext& job)>;
// A picture-list operation: gets the album's index in the album list, emits pictures through
// EmitPicture, and returns as soon as downloadState is DL_ALBUM_DONE or DL_STOP after an emission.
using PictureListOp = std::function<void(JobContext& job, int albumIndex)>;

// One album-list and one picture-list operation per row of the adapter table. An empty operation
// is a site whose adapter is not built yet: calling it emits nothing, so the album list ends with
// the site's empty-result message.
struct AdapterPair {
    AlbumListOp albums;
    PictureListOp pictures;
};

// Every adapter, by site type and sub-mode. The jobs call through a table so that tests can put a
// recording table in its place.
struct AdapterTable {
    // Site type 0
    AdapterPair qzone;
    AlbumListOp qzoneSecondAlbums;  // when the first Qzone album list emits nothing
    AdapterPair qqGroup;
    AdapterPair tencentWeibo;
    // Site type 1
    AdapterPair baiduAlbums;
    AdapterPair tiebaAlbums;
    AdapterPair tiebaPage;
    // Site type 2
    AdapterPair neteasePp;
    AdapterPair neteasePhoto;
    // Site type 3
    AdapterPair renrenPhoto;
    PictureListOp renrenSecondPictures;  // when the first Renren picture list emits nothing
    AdapterPair renrenZhan;
    // Site type 4
    AdapterPair sinaBlogAlbums;
    AdapterPair sinaBlogArticles;
    AdapterPair sinaWeibo;
    // Site types 5 to 10
    AdapterPair site56;
    AdapterPair pocoAlbums;
    AdapterPair pocoActivity;
    AdapterPair yupoo;
    AdapterPair site51;
    AdapterPair zol;
    AdapterPair pchome;
    // Site type 11
    AdapterPair offer1688;
    AdapterPair taobao;
    // Site types 12 to 16
    AdapterPair moko;
    AdapterPair babytreeNew;
    AdapterPair babytreeOld;
    AdapterPair pconline;
    AdapterPair hupu;
    AdapterPair jd;

    // The picture-list operation that serves an album listed under siteType and subMode, or
    // nullptr for a site type outside 0..16.
    const PictureListOp* PicturesFor(int siteType, int subMode) const;

    // The table of the adapters built so far.
    static const AdapterTable& Default();
};
