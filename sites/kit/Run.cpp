#include "sites/kit/Run.h"

#include "core/JobContext.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/PictureCall.h"

int RunAlbumList(const AlbumListOp& op, const std::u16string& input, JobContext& job) {
    if (!op) {
        return 0;
    }
    std::size_t before = job.list.albums.Size();
    AlbumCall call(job);
    op(call, input);
    return static_cast<int>(job.list.albums.Size() - before);
}

int RunPictureList(const PictureListOp& op, JobContext& job, int albumIndex) {
    std::optional<ST_PERLISTRECORD> album = job.list.albums.CopyOf(albumIndex);
    if (!op || !album) {
        return 0;
    }
    PictureCall call(job, albumIndex, std::move(*album));
    op(call);
    return call.Emitted();
}
