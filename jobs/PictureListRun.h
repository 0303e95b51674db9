// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/JobEvents.h"
#include "core/NamingSettings.h"
#include "core/PictureList.h"
#include "jobs/JobContext.h"
#include "sites/kit/PictureCall.h"
#include "sites/kit/PictureSink.h"
#include "sites/kit/SiteFamily.h"

// One album's picture listing for its download: the picture emission's state (the album's picture
// list, the naming it follows and the first picture of the previous download into its folder) and
// what the album's calls reach of the program.
class PictureListRun : public PictureSink {
public:
    // pictures is the album's list, its albumDir set to the owner's folder; naming the site type's
    // settings as the download started with them.
    PictureListRun(JobContext& context, JobEvents& events, const NamingSettings& naming,
                   PictureList& pictures, int album, std::u16string input);

    void Picture(const std::u16string& url, const std::u16string& description,
                 const std::u16string& headers) override;
    bool Stopped() const override;
    void RenameAlbum(std::u16string name) override;

    // Runs op for the album on a call of its own; the number of pictures it emitted. An empty op,
    // or an album outside the list, emits none.
    int Run(const PictureListOp& op);

    // The last page fetch of the album's calls, and whether an adapter found a page it could not
    // read.
    const PageFetch& LastFetch() const { return lastFetch_; }
    bool PageShapeReported() const { return pageShapeReported_; }

    // What the emission works on.
    ListResult& list;
    JobControl& control;
    JobEvents& events;
    const NamingSettings naming;
    PictureList& pictures;
    const int album;
    // The address of the first picture the previous download into the album folder began with.
    std::u16string lastFirstUrl;

private:
    CallContext callContext_;
    std::u16string input_;
    PageFetch lastFetch_;
    bool pageShapeReported_ = false;
};
