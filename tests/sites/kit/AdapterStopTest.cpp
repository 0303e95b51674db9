// SPDX-License-Identifier: GPL-3.0-or-later
// Every operation of the adapter table, stopped after its first emission, emits no more. New
// adapters get this test by being in the table and registering a sample of pages.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MyCode/URLSource2.h"
#include "SiteTest.h"
#include "sites/AdapterTable.h"

namespace {

struct Operation {
    std::string key;
    AlbumListOp albums;
    PictureListOp pictures;
};

std::vector<Operation> AllOperations() {
    std::vector<Operation> operations;
    for (const AdapterRow& row : AdapterTable::Default().rows) {
        if (row.albums) {
            operations.push_back({std::string(row.name) + "/albums", row.albums, {}});
        }
        if (row.pictures) {
            operations.push_back({std::string(row.name) + "/pictures", {}, row.pictures});
        }
        if (row.secondAlbums) {
            operations.push_back({std::string(row.secondAlbumsName) + "/albums", row.secondAlbums, {}});
        }
        if (row.secondPictures) {
            operations.push_back({std::string(row.secondPicturesName) + "/pictures", {}, row.secondPictures});
        }
    }
    return operations;
}

const StopSample* SampleFor(const std::string& key) {
    for (const StopSample& sample : StopSamples()) {
        if (sample.key == key) {
            return &sample;
        }
    }
    return nullptr;
}

class StopRun : public SiteTest {
public:
    void TestBody() override {}

    // How many albums or pictures the operation emits on the sample's pages, stopped from the
    // start (the stop then takes effect at the first emission) or not.
    int Emitted(const Operation& operation, const StopSample& sample, bool stopped) {
        SetUp();
        std::unique_ptr<FixtureServer> secure;
        if (sample.https) {
            secure = std::make_unique<FixtureServer>(FixtureServer::Scheme::Https);
            for (const char* host : sample.hosts) {
                secure->Route(host, 443);
            }
            ServePagesOn(*secure, sample.pages());
            SetTrustedCertificates(FixtureServer::TestCertificate());
        } else {
            for (const char* host : sample.hosts) {
                server.Route(host);
            }
            ServePages(sample.pages());
        }
        if (sample.prepare) {
            sample.prepare(List());
        }
        int emitted = 0;
        if (operation.albums) {
            job.control.listState = stopped ? LIST_STOP : LIST_RUNNING;
            emitted = ListAlbums(operation.albums, sample.input);
        } else {
            StartDownload(sample.album);
            job.control.downloadState = stopped ? DL_STOP : DL_RUNNING;
            RunPictures(operation.pictures);
            emitted = static_cast<int>(pictures.Size());
        }
        SetTrustedCertificates({});
        TearDown();
        return emitted;
    }
};

TEST(AdapterTable, EveryOperationStopsAfterItsFirstEmission) {
    std::vector<Operation> operations = AllOperations();
    ASSERT_FALSE(operations.empty());
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.key);
        const StopSample* sample = SampleFor(operation.key);
        if (sample == nullptr) {
            ADD_FAILURE() << "no stop sample: register one with the family's tests";
            continue;
        }
        {
            auto run = std::make_unique<StopRun>();
            if (sample->singleEmission) {
                EXPECT_EQ(run->Emitted(operation, *sample, false), 1) << "the sample must give one";
            } else {
                EXPECT_GE(run->Emitted(operation, *sample, false), 2) << "the sample must give two or more";
            }
        }
        auto run = std::make_unique<StopRun>();
        EXPECT_EQ(run->Emitted(operation, *sample, true), 1);
    }
}

}  // namespace
