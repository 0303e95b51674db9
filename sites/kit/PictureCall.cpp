#include "sites/kit/PictureCall.h"

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "sites/kit/Emission.h"

PictureCall::PictureCall(JobContext& job_, int albumIndex, ST_PERLISTRECORD album)
    : SiteCall(job_),
      albumIndex_(albumIndex),
      album_(std::move(album)),
      handoff_(job_.list.handoff),
      input_(job_.window->GetText(IDC_INPUT)) {}

bool PictureCall::Stopped() const {
    return PicturesStopped(job);
}

bool PictureCall::Picture(std::u16string_view url, std::u16string_view description,
                          std::u16string_view headers) {
    // A worker cannot fetch an empty address, and it would end up as an empty marker.
    if (StringCtrl::Trim(url).empty()) {
        return !Stopped();
    }
    EmitPicture(job, std::u16string(url), std::u16string(description), std::u16string(headers), albumIndex_);
    ++emitted_;
    return !Stopped();
}

std::u16string PictureCall::Describe(std::u16string description) const {
    return description.empty() ? album_.name : description;
}

void PictureCall::RenameAlbum(std::u16string name) {
    job.list.albums.Rename(albumIndex_, name);
    album_.name = std::move(name);
}

const std::u16string& PictureCall::OwnerName() const {
    return job.list.ownerName;
}
