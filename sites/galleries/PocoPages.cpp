#include "sites/galleries/PocoPages.h"

#include "core/JobContext.h"
#include "download/Naming.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/SiteCall.h"

namespace PocoPages {

bool ReadOwner(SiteCall& call, Page& page) {
    if (page.number == 1) {
        call.job.ownerName = Fields::Cut(page.text, u"userName:'", u"'");
        CleanName(call.job.ownerName, true);
    }
    return true;
}

}  // namespace PocoPages
