// SPDX-License-Identifier: GPL-3.0-or-later
// A program folder that cannot keep the settings or the cookies stops orvelle-cli before the job,
// naming what cannot be written, instead of downloading and silently keeping nothing.

#include <sys/mount.h>

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class ProgramFolderCli : public SiteCliTest {
protected:
    CliProcess Download(const std::string& programDir) {
        return CliProcess::Run({"download", "--program-dir", programDir, "--save", save.NativePath(),
                                "--connect-to", "www.56.com:80:127.0.0.1:" + std::to_string(server.Port()),
                                "http://www.56.com/photo/album/index.php?user=alice"});
    }
};

TEST_F(ProgramFolderCli, AFileThatIsAFolderIsNamed) {
    for (const char* name : {"soft.dat", "cookies.txt"}) {
        SCOPED_TRACE(name);
        TempDir folder;
        ASSERT_TRUE(FileSystem::CreateDirectories(folder.Path() + CodePage::FromUtf8(name)));
        CliProcess download = Download(folder.NativePath());
        EXPECT_EQ(download.exitCode, 3) << download.err;
        EXPECT_NE(download.err.find(folder.NativePath() + name), std::string::npos) << download.err;
        EXPECT_TRUE(server.Requests().empty());
    }
}

// A read-only mount refuses every write, even root's. Mounting needs root and the right to mount;
// where either is missing the test is skipped.
TEST_F(ProgramFolderCli, AReadOnlyFolderIsNamed) {
    TempDir folder;
    const std::string path = folder.NativePath();
    if (::mount("tmpfs", path.c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    }
    CliProcess download = Download(path);
    ::umount2(path.c_str(), MNT_DETACH);
    EXPECT_EQ(download.exitCode, 3) << download.err;
    EXPECT_NE(download.err.find("cannot write " + path), std::string::npos) << download.err;
    EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
