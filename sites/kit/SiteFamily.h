// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/SiteType.h"

class AlbumCall;
class PictureCall;

// An album-list operation: gets the normalised input, emits albums through call.Album() and
// returns as soon as that says so.
using AlbumListOp = std::function<void(AlbumCall& call, const std::u16string& input)>;
// A picture-list operation: gets a call holding a copy of its album's record, emits pictures
// through call.Picture() and returns as soon as that says so.
using PictureListOp = std::function<void(PictureCall& call)>;

// A row's sub-mode that matches every sub-mode no other row of its site type names.
constexpr int ANY_SUBMODE = INT_MIN;
// A second album list that leaves the sub-mode as it is.
constexpr int SAME_SUBMODE = INT_MIN + 1;

// One row of the adapter table: the album-list and picture-list operation that serve a site type
// in one sub-mode, each with the operation that runs when it emitted nothing. An empty operation is
// one not built yet: it emits nothing, so the list ends with the site's empty-result message.
struct AdapterRow {
    std::string_view name = {};  // "qzone": how tests and messages name the row
    int siteType = 0;
    int subMode = ANY_SUBMODE;
    AlbumListOp albums = {};
    PictureListOp pictures = {};
    // Runs when albums emitted nothing; the job's sub-mode becomes secondAlbumsSubMode first
    // unless that is SAME_SUBMODE.
    std::string_view secondAlbumsName = {};
    AlbumListOp secondAlbums = {};
    int secondAlbumsSubMode = SAME_SUBMODE;
    // Runs when pictures emitted nothing and the download was not stopped.
    std::string_view secondPicturesName = {};
    PictureListOp secondPictures = {};
};

// What the normalisation of one site type made of the user's input.
struct ListPlan {
    std::u16string input;              // the text the album list gets
    int subMode = SUBMODE_UNSET;       // chooses the adapter row; the job keeps it for the download
    std::u16string emptyMessage = {};  // shown when the list (with its second list) found nothing
    bool autoDownload = false;         // a single album found is downloaded at once
};

// Turns the trimmed input in plan.input into a plan; through call it may name the owner, keep what
// the picture lists need, read a page or tell the user. plan.subMode comes in as the job's
// sub-mode. False when the branch ends here: the input cannot be used (the user has been told) or
// a page it needed could not be read.
using Normalisation = std::function<bool(ListPlan& plan, AlbumCall& call)>;

// A domain text whose presence in an address (after its first character) names the site type.
struct DomainMarker {
    std::u16string_view text = {};
    int siteType = 0;
};

// Everything about one family of sites: its markers for the site detection, the normalisation of
// each of its site types, and its rows of the adapter table.
struct SiteFamily {
    std::string_view name = {};
    std::vector<DomainMarker> markers = {};  // tried in this order
    // The sub-mode an address of this family implies, or SUBMODE_UNSET; empty for none.
    std::function<int(std::u16string_view input)> detectSubMode = {};
    std::vector<std::pair<int, Normalisation>> normalisations = {};  // by site type
    std::vector<AdapterRow> rows = {};
};
