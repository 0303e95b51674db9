#pragma once

#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "SiteTest.h"
#include "core/JobContext.h"
#include "core/JobController.h"
#include "core/WindowPort.h"
#include "platform/FileSystem.h"
#include "sites/AdapterTable.h"

// The communities answer from the fixture server: their page hosts and picture hosts are routed
// to it.
class CommunitiesTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {
        "www.moko.cc",      "img.moko.cc",           "home.babytree.com",  "www.babytree.com",
        "pic.babytree.com", "photo.pconline.com.cn", "my.pconline.com.cn", "img.pconline.com.cn",
        "my.hupu.com",      "i1.hoopchina.com.cn"};

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("communities", name); }

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
    }

    // The album button pressed with input for site, as in the window: the site's normalisation, its
    // adapter row and its second list. Leaves the album list and the job's sub-mode.
    int ListThroughJob(int site, const std::u16string& input) {
        window.SetSiteSelection(site);
        window.SetControlText(IDC_INPUT, input);
        job.listState = LIST_IDLE;
        JobController controller(job, AdapterTable::Default());
        controller.PressListButton();
        controller.WaitForJobs();
        return static_cast<int>(job.albums.Size());
    }

    // Then the download button with every album selected, into save/ in the temporary folder.
    void DownloadThroughJob() {
        window.SetControlText(IDC_SAVE_PATH, dir.Path() + u"save");
        JobController controller(job, AdapterTable::Default());
        SelectAllAlbums(job, true);
        controller.PressDownloadButton();
        controller.WaitForJobs();
    }

    bool Saved(const std::u16string& relative) const {
        return FileSystem::Exists(dir.Path() + u"save/" + relative);
    }
};
