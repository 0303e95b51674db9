// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/AlbumCall.h"

AlbumCall::AlbumCall(CallContext context, AlbumSink& sink) : SiteCall(std::move(context)), sink_(sink) {}

bool AlbumCall::Stopped() const {
    return sink_.Stopped();
}

bool AlbumCall::Album(const ST_PERLISTRECORD& record) {
    sink_.Album(record);
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

const std::u16string& AlbumCall::OwnerName() const {
    return sink_.Result().ownerName;
}

void AlbumCall::SetOwnerName(std::u16string name) {
    sink_.Result().ownerName = std::move(name);
}

void AlbumCall::SetOwnerSuffix(std::u16string suffix) {
    sink_.Result().ownerSuffix = std::move(suffix);
}

std::shared_ptr<ListHandoff>& AlbumCall::Handoff() {
    return sink_.Result().handoff;
}
