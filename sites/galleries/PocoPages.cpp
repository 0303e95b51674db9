// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/PocoPages.h"

#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"

namespace PocoPages {

bool ReadOwner(AlbumCall& call, Page& page) {
    if (page.number == 1) {
        std::u16string owner = Fields::Cut(page.text, u"userName:'", u"'");
        CleanName(owner, true);
        call.SetOwnerName(std::move(owner));
    }
    return true;
}

}  // namespace PocoPages
