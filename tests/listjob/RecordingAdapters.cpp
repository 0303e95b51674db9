#include "listjob/RecordingAdapters.h"

#include <utility>

#include "core/JobContext.h"
#include "core/ST_PERLISTRECORD.h"
#include "platform/CodePage.h"
#include "sites/Emission.h"

RecordingAdapters::RecordingAdapters() {
    std::pair<const char*, AdapterPair AdapterTable::*> pairs[] = {
        {"qzone", &AdapterTable::qzone},
        {"qqGroup", &AdapterTable::qqGroup},
        {"tencentWeibo", &AdapterTable::tencentWeibo},
        {"baiduAlbums", &AdapterTable::baiduAlbums},
        {"tiebaAlbums", &AdapterTable::tiebaAlbums},
        {"tiebaPage", &AdapterTable::tiebaPage},
        {"neteasePp", &AdapterTable::neteasePp},
        {"neteasePhoto", &AdapterTable::neteasePhoto},
        {"renrenPhoto", &AdapterTable::renrenPhoto},
        {"renrenZhan", &AdapterTable::renrenZhan},
        {"sinaBlogAlbums", &AdapterTable::sinaBlogAlbums},
        {"sinaBlogArticles", &AdapterTable::sinaBlogArticles},
        {"sinaWeibo", &AdapterTable::sinaWeibo},
        {"site56", &AdapterTable::site56},
        {"pocoAlbums", &AdapterTable::pocoAlbums},
        {"pocoActivity", &AdapterTable::pocoActivity},
        {"yupoo", &AdapterTable::yupoo},
        {"site51", &AdapterTable::site51},
        {"zol", &AdapterTable::zol},
        {"pchome", &AdapterTable::pchome},
        {"offer1688", &AdapterTable::offer1688},
        {"taobao", &AdapterTable::taobao},
        {"moko", &AdapterTable::moko},
        {"babytreeNew", &AdapterTable::babytreeNew},
        {"babytreeOld", &AdapterTable::babytreeOld},
        {"pconline", &AdapterTable::pconline},
        {"hupu", &AdapterTable::hupu},
        {"jd", &AdapterTable::jd},
    };
    for (const auto& [name, member] : pairs) {
        (table.*member).albums = RecordAlbums(name);
        (table.*member).pictures = RecordPictures(name);
    }
    table.qzoneSecondAlbums = RecordAlbums("qzoneSecondAlbums");
    table.renrenSecondPictures = RecordPictures("renrenSecondPictures");
}

void RecordingAdapters::EmitFrom(const std::string& name, int albums) {
    std::lock_guard lock(mutex_);
    emits_[name] = albums;
}

std::vector<RecordingAdapters::Call> RecordingAdapters::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

AlbumListOp RecordingAdapters::RecordAlbums(const std::string& name) {
    return [this, name](const std::u16string& input, JobContext& job) {
        int albums = 0;
        {
            std::lock_guard lock(mutex_);
            calls_.push_back({name, input});
            auto it = emits_.find(name);
            albums = it == emits_.end() ? 0 : it->second;
        }
        for (int i = 1; i <= albums; ++i) {
            ST_PERLISTRECORD record;
            record.name = CodePage::FromUtf8(name + " " + std::to_string(i));
            record.url = input;
            record.pictureCount = i;
            EmitAlbum(record, job);
            if (job.listState == LIST_STOP) {
                return;
            }
        }
    };
}

PictureListOp RecordingAdapters::RecordPictures(const std::string& name) {
    return [this, name](JobContext&, int albumIndex) {
        std::lock_guard lock(mutex_);
        calls_.push_back({name, CodePage::FromUtf8(std::to_string(albumIndex))});
    };
}
