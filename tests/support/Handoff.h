// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/ListResult.h"

// The site families' hand-off records in a list result, as the tests read and set them.

// The record of type T the album list kept; an empty one when it kept none of that type.
template <typename T>
const T& KeptIn(const ListResult& list) {
    static const T none{};
    const auto* kept = dynamic_cast<const T*>(list.handoff.get());
    return kept != nullptr ? *kept : none;
}

// The record of type T in the list, made when there is none, for a picture list's test to fill as
// the album list would have.
template <typename T>
T& HandoffIn(ListResult& list) {
    if (auto* kept = dynamic_cast<T*>(list.handoff.get())) {
        return *kept;
    }
    auto made = std::make_shared<T>();
    T& record = *made;
    list.handoff = std::move(made);
    return record;
}
