#include "sites/kit/AlbumCall.h"

#include "core/JobContext.h"
#include "sites/kit/Emission.h"

AlbumCall::AlbumCall(JobContext& job_) : SiteCall(job_) {}

bool AlbumCall::Stopped() const {
    return ListStopped(job);
}

bool AlbumCall::Album(const ST_PERLISTRECORD& record) {
    EmitAlbum(record, job);
    ++emitted_;
    return !Stopped();
}

bool AlbumCall::EmitEach(std::vector<std::u16string>& items,
                         const std::function<bool(std::u16string& item, ST_PERLISTRECORD& album)>& fill) {
    for (std::u16string& item : items) {
        ST_PERLISTRECORD album;
        if (fill(item, album) && !Album(album)) {
            return false;
        }
    }
    return true;
}

ListResult& AlbumCall::Result() const {
    return job.list;
}

const std::u16string& AlbumCall::OwnerName() const {
    return Result().ownerName;
}

void AlbumCall::SetOwnerName(std::u16string name) {
    Result().ownerName = std::move(name);
}

void AlbumCall::SetOwnerSuffix(std::u16string suffix) {
    Result().ownerSuffix = std::move(suffix);
}

std::shared_ptr<ListHandoff>& AlbumCall::Handoff() {
    return Result().handoff;
}
