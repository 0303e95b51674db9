// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ListResult.h"
#include "core/ST_PERLISTRECORD.h"

// The album-list job as its album calls hand it their results.
class AlbumSink {
public:
    virtual ~AlbumSink() = default;
    // The album emission: the record joins the list.
    virtual void Album(const ST_PERLISTRECORD& record) = 0;
    // The user asked the album list to stop.
    virtual bool Stopped() const = 0;
    // The list being made: its owner and its hand-off.
    virtual ListResult& Result() = 0;
};
