#include "sites/galleries/PocoPages.h"

#include "core/JobContext.h"
#include "download/Naming.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/SiteCall.h"

namespace PocoPages {

bool ReadOwner(SiteCall& call, Page& page) {
    if (page.number == 1) {
        call.job.list.ownerName = Fields::Cut(page.text, u"userName:'", u"'");
        CleanName(call.job.list.ownerName, true);
    }
    return true;
}

}  // namespace PocoPages
