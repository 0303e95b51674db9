// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/ListHandoff.h"
#include "core/ST_PERLISTRECORD.h"
#include "sites/kit/AlbumSink.h"
#include "sites/kit/SiteCall.h"

// A call of an album-list operation, or of the normalisation that comes before it: it emits the
// albums, names the owner whose folder they go to and keeps what the picture lists will need.
class AlbumCall : public SiteCall {
public:
    AlbumCall(CallContext context, AlbumSink& sink);

    bool Stopped() const override;

    // Emits the album; false when the operation must return now (the list was stopped).
    bool Album(const ST_PERLISTRECORD& record);
    // Fills a fresh record from each item in turn and emits it when fill returns true. False when
    // the list was stopped.
    bool EmitEach(std::vector<std::u16string>& items,
                  const std::function<bool(std::u16string& item, ST_PERLISTRECORD& album)>& fill);

    // Albums emitted by this call.
    int Emitted() const { return emitted_; }

    // The owner: the first folder level under the save folder (escape ?8), and a second part
    // after it.
    const std::u16string& OwnerName() const;
    void SetOwnerName(std::u16string name);
    void SetOwnerSuffix(std::u16string suffix);

    // What this family's picture lists will read with PictureCall::Kept<T>(): the record the list
    // keeps, made empty by the first call of a list (or when another family's record is there).
    template <typename T>
    T& Keep() {
        std::shared_ptr<ListHandoff>& kept = Handoff();
        if (auto* mine = dynamic_cast<T*>(kept.get())) {
            return *mine;
        }
        auto made = std::make_shared<T>();
        T& record = *made;
        kept = std::move(made);
        return record;
    }

private:
    std::shared_ptr<ListHandoff>& Handoff();

    AlbumSink& sink_;
    int emitted_ = 0;
};
