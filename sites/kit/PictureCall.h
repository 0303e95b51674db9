// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/ListHandoff.h"
#include "core/ListResult.h"
#include "core/ST_PERLISTRECORD.h"
#include "sites/kit/PictureSink.h"
#include "sites/kit/SiteCall.h"

// A call of a picture-list operation for one album. It works on a copy of the album's record and
// shares what the album list kept, so nothing it holds points into the album list.
class PictureCall : public SiteCall {
public:
    // album is a copy of record albumIndex of list; input the input box's text as the download
    // started.
    PictureCall(CallContext context, PictureSink& sink, const ListResult& list, int albumIndex,
                ST_PERLISTRECORD album, std::u16string input);

    bool Stopped() const override;

    // Emits a picture; false when the operation must return now (the album is done or the
    // download was stopped). An empty address is no picture: it is skipped, never emitted. A
    // site's address is one address: line breaks in it are dropped.
    bool Picture(std::u16string_view url, std::u16string_view description, std::u16string_view headers = {});
    // The same with a second address, fetched when the first brings no data. A fallback that is
    // not an absolute http or https address is none.
    bool PictureOr(std::u16string_view url, std::u16string_view fallback, std::u16string_view description,
                   std::u16string_view headers = {});
    // A picture's description as the sites leave it to the album: the album's name when the site
    // gave none.
    std::u16string Describe(std::u16string description) const;

    // The album learns its name from its own page: the list and this call's copy take it, so the
    // folder made at the first picture carries it. Call it before the first picture.
    void RenameAlbum(std::u16string name);

    // Pictures emitted by this call.
    int Emitted() const { return emitted_; }

    const ST_PERLISTRECORD& album() const { return album_; }
    int albumIndex() const { return albumIndex_; }

    // The owner the album list named.
    const std::u16string& OwnerName() const { return ownerName_; }
    // The input box's text as the download started; a site that names the owner by it reads it.
    const std::u16string& Input() const { return input_; }

    // What this family's album list kept with AlbumCall::Keep<T>(); an empty record when it kept
    // none.
    template <typename T>
    const T& Kept() const {
        static const T none{};
        const auto* kept = dynamic_cast<const T*>(handoff_.get());
        return kept != nullptr ? *kept : none;
    }

private:
    PictureSink& sink_;
    int albumIndex_;
    ST_PERLISTRECORD album_;
    std::shared_ptr<const ListHandoff> handoff_;
    std::u16string ownerName_;
    std::u16string input_;
    int emitted_ = 0;
};
