// SPDX-License-Identifier: GPL-3.0-or-later
// The download engine against aria2c and curl's parallel mode, and the album-list job on long
// pages. A loopback server (its own process) serves N pictures, each answer delayed by a fixed
// time; the real download job fetches them with threadCount workers, then aria2c (-j threadCount)
// and curl (--parallel --parallel-max threadCount) fetch the same list from the same server. The
// engine flushes every picture to disk before it gets its name, which neither peer does, so two
// more peers make the same promise: curl_sync is curl followed by a flush of each file it wrote
// and of their folder, and disk is the disk's own flushed write of the same files (each written
// and flushed in turn, as dd conv=fsync does, then the folder flushed), with no network at all.
// Each runs in a child process, so wall time, CPU time and peak RSS are its own; the disk's
// write-back queue is emptied before each. The last line is for outside checks:
// "bench[<scenario>]: ...".
//
//   download_bench [small|large|list|page] [--pictures N] [--size-kib K] [--delay-ms D] [--threads T]
//
// small: 600 pictures of 64 KiB, 40 ms delay, 15 threads (the default).
// large: 60 pictures of 8 MiB, no delay, 15 threads.
// list:  the album-list job on one page of 40,000 albums, and on one of 2,000 albums of one name.
// page:  the album-list job on a page of 256 MiB that does not announce its length.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "MyCode/ConnectToRules.h"
#include "bench/BenchServer.h"
#include "bench/QuietJobEvents.h"
#include "jobs/AlbumListJob.h"
#include "jobs/DownloadJob.h"
#include "jobs/Emission.h"
#include "jobs/JobContext.h"
#include "platform/CodePage.h"
#include "sites/AdapterTable.h"
#include "sites/kit/PictureCall.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Settings {
    std::string scenario = "small";
    int pictures = 600;
    int sizeKiB = 64;
    int delayMs = 40;
    int threads = 15;
};

struct Measure {
    bool ran = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakRssMiB = 0;
    int files = 0;  // pictures that arrived whole, or albums listed
};

// The list scenario's pages, as the 56 adapter reads them.
constexpr int kManyAlbums = 40000;
constexpr int kSameNameAlbums = 2000;
constexpr int kHugePageMiB = 256;
constexpr char kListHost[] = "www.56.com";

bool ParseArgs(int argc, char** argv, Settings& s) {
    int first = 1;
    if (argc > 1 && argv[1][0] != '-') {
        s.scenario = argv[1];
        first = 2;
    }
    if (s.scenario == "large") {
        s.pictures = 60;
        s.sizeKiB = 8192;
        s.delayMs = 0;
    } else if (s.scenario != "small" && s.scenario != "list" && s.scenario != "page") {
        return false;
    }
    for (int i = first; i < argc; ++i) {
        std::string name = argv[i];
        int* target = name == "--pictures"   ? &s.pictures
                      : name == "--size-kib" ? &s.sizeKiB
                      : name == "--delay-ms" ? &s.delayMs
                      : name == "--threads"  ? &s.threads
                                             : nullptr;
        if (target == nullptr || i + 1 >= argc) {
            return false;
        }
        *target = std::atoi(argv[++i]);
    }
    return s.pictures > 0 && s.sizeKiB > 0 && s.delayMs >= 0 && s.threads >= 1 && s.threads <= 15;
}

std::string PictureUrl(int port, int n) {
    return "http://127.0.0.1:" + std::to_string(port) + "/p/" + std::to_string(n) + ".jpg";
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

void TakeUsage(const rusage& usage, Measure& m) {
    m.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    m.peakRssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

// Runs body in a child process that reports its own wall time and a count through a pipe; CPU and
// peak RSS come from the child's usage, which holds the processes it waited for.
template <typename Body>
Measure InChild(Body body) {
    Measure m;
    int fds[2];
    if (::pipe(fds) != 0) {
        return m;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        auto start = Clock::now();
        int count = body();  // negative when the body failed
        double report[2] = {std::chrono::duration<double>(Clock::now() - start).count(),
                            static_cast<double>(count)};
        ssize_t written = ::write(fds[1], report, sizeof(report));
        ::_exit(written == sizeof(report) && count >= 0 ? 0 : 1);
    }
    ::close(fds[1]);
    double report[2] = {0, 0};
    bool reported = pid > 0 && ::read(fds[0], report, sizeof(report)) == sizeof(report);
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid && reported && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0) {
        m.ran = true;
        m.wallSeconds = report[0];
        m.files = static_cast<int>(report[1]);
        TakeUsage(usage, m);
    }
    return m;
}

// One album of all pictures, named by their address, straight into the save folder, downloaded by
// the download job exactly as the window's button would run it.
int RunEngine(const Settings& s, int port, const fs::path& folder) {
    JobContext job;
    QuietJobEvents events;
    job.list.siteType = SITE_TENCENT;
    job.list.subMode = TENCENT_QZONE;
    SiteSettings& settings = job.settings.Slot(SITE_TENCENT);
    settings.download = DownloadParams{0, 0, static_cast<std::uint16_t>(s.threads), 30};
    settings.naming.baseName = BASE_URL;
    settings.naming.folderNaming = FOLDER_NONE;

    AdapterTable table;
    table.rows = {{.name = "qzone",
                   .siteType = SITE_TENCENT,
                   .subMode = ANY_SUBMODE,
                   .pictures = [&](PictureCall& call) {
                       for (int n = 0; n < s.pictures; ++n) {
                           if (!call.Picture(CodePage::FromUtf8(PictureUrl(port, n)), u"")) {
                               return;
                           }
                       }
                   }}};
    ST_PERLISTRECORD album;
    album.name = u"bench";
    EmitAlbum(album, job.list, events);
    DownloadJobFunc({.saveFolder = CodePage::FromUtf8(folder.string()), .albums = {0}, .input = {}}, job,
                    table, events);
    return 0;
}

// The album-list job with the real adapters, the 56 host sent to the loopback server.
int RunList(int port, const std::u16string& input, const fs::path& programDir) {
    ConnectToRules::Instance().Add(std::string(kListHost) + ":80:127.0.0.1:" + std::to_string(port));
    JobContext job;
    QuietJobEvents events;
    job.settings.programDir = CodePage::FromUtf8(programDir.string() + "/");
    GetListFunc({.siteType = SITE_56, .input = input}, job, AdapterTable::Default(), events);
    return static_cast<int>(job.list.albums.Size());
}

// A 56 user's album index of count albums, named "album<n>", or all "N" when sameName.
std::string AlbumPage(int count, bool sameName) {
    std::string page =
        "<html><head><title>bench的相册_56.com</title></head><body>\n<ul class=\"album_list\">\n";
    for (int n = 0; n < count; ++n) {
        std::string id = std::to_string(n);
        page += "<li><a onclick=\"chackAlbum('" + id + "')\"><img src=\"http://img.56.com/c/" + id +
                ".jpg\" title=\"" + (sameName ? std::string("N") : "album" + id) +
                "\"></a><p width=\"140\">" + std::to_string(n % 50) + "</p></li>\n";
    }
    return page + "</ul>\n</body></html>\n";
}

std::u16string ListInput(const std::string& user) {
    return CodePage::FromUtf8("http://" + std::string(kListHost) + "/photo/album/index.php?user=" + user);
}

pid_t Spawn(const std::vector<std::string>& command) {
    std::vector<const char*> args;
    for (const std::string& arg : command) {
        args.push_back(arg.c_str());
    }
    args.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::execvp(args[0], const_cast<char* const*>(args.data()));
        ::_exit(127);
    }
    return pid;
}

// A downloader given as a command line, run as a child with its output thrown away.
Measure RunCommand(const std::vector<std::string>& command) {
    Measure m;
    auto start = Clock::now();
    pid_t pid = Spawn(command);
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        m.ran = true;
        m.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        TakeUsage(usage, m);
    }
    return m;
}

bool RunAndWait(const std::vector<std::string>& command) {
    pid_t pid = Spawn(command);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The pictures' files as curl names them, in the list's order.
fs::path PictureFile(const fs::path& folder, int n) {
    return folder / (std::to_string(n) + ".jpg");
}

// Flushes path's data and metadata (a folder: its entries) to disk.
bool Flush(const fs::path& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

Measure MeasureAria2(const Settings& s, int port, const fs::path& folder) {
    fs::path list = folder.parent_path() / "aria2c-urls.txt";
    {
        std::ofstream out(list);
        for (int n = 0; n < s.pictures; ++n) {
            out << PictureUrl(port, n) << '\n';
        }
    }
    Measure m =
        RunCommand({"aria2c", "-q", "-j", std::to_string(s.threads), "-d", folder.string(), "-i",
                    list.string(), "--file-allocation=none", "--allow-overwrite=true",
                    "--auto-file-renaming=false", "--summary-interval=0", "--console-log-level=error"});
    fs::remove(list);
    return m;
}

std::vector<std::string> CurlCommand(const Settings& s, const fs::path& folder, const fs::path& config) {
    return {"curl",
            "--parallel",
            "--parallel-max",
            std::to_string(s.threads),
            "--silent",
            "--show-error",
            "--no-progress-meter",
            "--fail",
            "--remote-name-all",
            "--output-dir",
            folder.string(),
            "--config",
            config.string()};
}

fs::path WriteCurlConfig(const Settings& s, int port, const fs::path& folder) {
    fs::path config = folder.parent_path() / "curl-urls.txt";
    std::ofstream out(config);
    for (int n = 0; n < s.pictures; ++n) {
        out << "url = \"" << PictureUrl(port, n) << "\"\n";
    }
    return config;
}

Measure MeasureCurl(const Settings& s, int port, const fs::path& folder) {
    const fs::path config = WriteCurlConfig(s, port, folder);
    Measure m = RunCommand(CurlCommand(s, folder, config));
    fs::remove(config);
    return m;
}

// curl, then each file it wrote flushed in the list's order and the folder once, as `sync FILE...`
// would: the same promise as the engine's, kept the way a script around curl keeps it.
Measure MeasureCurlSync(const Settings& s, int port, const fs::path& folder) {
    const fs::path config = WriteCurlConfig(s, port, folder);
    Measure m = InChild([&] {
        if (!RunAndWait(CurlCommand(s, folder, config))) {
            return -1;
        }
        for (int n = 0; n < s.pictures; ++n) {
            if (!Flush(PictureFile(folder, n), O_RDONLY)) {
                return -1;
            }
        }
        return Flush(folder, O_RDONLY | O_DIRECTORY) ? 0 : -1;
    });
    fs::remove(config);
    return m;
}

// The same number of files of the same size written from memory, each flushed before the next is
// begun (dd bs=1M conv=fsync, one file after another), then the folder flushed: what the disk takes
// to keep the bytes, with no network and no parallelism.
Measure MeasureDisk(const Settings& s, int, const fs::path& folder) {
    const std::size_t bytes = static_cast<std::size_t>(s.sizeKiB) * 1024;
    return InChild([&] {
        const std::string block(std::min<std::size_t>(bytes, 1u << 20), 'b');
        for (int n = 0; n < s.pictures; ++n) {
            int fd = ::open(PictureFile(folder, n).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0) {
                return -1;
            }
            bool ok = true;
            for (std::size_t left = bytes; ok && left > 0;) {
                ssize_t put = ::write(fd, block.data(), std::min(left, block.size()));
                ok = put > 0;
                left -= ok ? static_cast<std::size_t>(put) : 0;
            }
            ok = ok && ::fsync(fd) == 0;
            if (::close(fd) != 0 || !ok) {
                return -1;
            }
        }
        return Flush(folder, O_RDONLY | O_DIRECTORY) ? 0 : -1;
    });
}

// Pictures that arrived whole.
int CountFiles(const fs::path& folder, std::uintmax_t bytes) {
    int count = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".jpg" && entry.file_size() == bytes) {
            ++count;
        }
    }
    return count;
}

void Report(const char* name, const Measure& m, int expected, const char* unit) {
    if (!m.ran) {
        std::printf("%-9s did not run\n", name);
        return;
    }
    std::printf("%-9s wall %.3f s, %.1f %s/s, cpu %.3f s, peak rss %.1f MiB, %d/%d %s\n", name, m.wallSeconds,
                m.files / m.wallSeconds, unit, m.cpuSeconds, m.peakRssMiB, m.files, expected, unit);
}

// a / b with three decimals, or "n/a" when b did not run.
std::string Ratio(double a, const Measure& b, double bValue) {
    if (!b.ran || bValue <= 0) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%.3f", a / bValue);
    return text;
}

int Download(const Settings& s, const fs::path& root) {
    const std::size_t bytes = static_cast<std::size_t>(s.sizeKiB) * 1024;
    BenchServer server(bytes, std::chrono::milliseconds(s.delayMs));
    if (server.Port() == 0) {
        std::fprintf(stderr, "download_bench: the loopback server did not start\n");
        return 1;
    }
    const double ideal = std::ceil(static_cast<double>(s.pictures) / s.threads) * s.delayMs / 1000.0;
    std::printf("download_bench[%s]: %d pictures of %d KiB, %d ms delay, %d threads\n", s.scenario.c_str(),
                s.pictures, s.sizeKiB, s.delayMs, s.threads);
    std::printf("ideal   %.3f s = ceil(%d / %d) x %d ms\n", ideal, s.pictures, s.threads, s.delayMs);

    struct Peer {
        const char* name;
        Measure (*measure)(const Settings&, int, const fs::path&);
        Measure result;
    };
    const fs::path engineDir = root / "engine";
    fs::create_directories(engineDir);
    // Nothing an earlier run left for the disk to write may slow the one measured.
    ::sync();
    Measure engine = InChild([&] { return RunEngine(s, server.Port(), engineDir); });
    engine.files = CountFiles(engineDir, bytes);
    Report("engine", engine, s.pictures, "pictures");
    fs::remove_all(engineDir);
    Peer peers[] = {{"aria2c", MeasureAria2, {}},
                    {"curl", MeasureCurl, {}},
                    {"curl_sync", MeasureCurlSync, {}},
                    {"disk", MeasureDisk, {}}};
    for (Peer& peer : peers) {
        const fs::path dir = root / peer.name;
        fs::create_directories(dir);
        ::sync();
        peer.result = peer.measure(s, server.Port(), dir);
        peer.result.files = CountFiles(dir, bytes);
        Report(peer.name, peer.result, s.pictures, "pictures");
        fs::remove_all(dir);
    }
    if (!engine.ran) {
        return 1;
    }
    const Measure& aria = peers[0].result;
    const Measure& curl = peers[1].result;
    const Measure& curlSync = peers[2].result;
    const Measure& disk = peers[3].result;
    std::printf(
        "bench[%s]: engine_vs_ideal=%s engine_vs_aria2=%s engine_vs_curl=%s cpu_vs_aria2=%s cpu_vs_curl=%s "
        "peak_rss_mib=%.1f engine_vs_curl_sync=%s engine_vs_disk=%s\n",
        s.scenario.c_str(), ideal > 0 ? Ratio(engine.wallSeconds, engine, ideal).c_str() : "n/a",
        Ratio(engine.wallSeconds, aria, aria.wallSeconds).c_str(),
        Ratio(engine.wallSeconds, curl, curl.wallSeconds).c_str(),
        Ratio(engine.cpuSeconds, aria, aria.cpuSeconds).c_str(),
        Ratio(engine.cpuSeconds, curl, curl.cpuSeconds).c_str(), engine.peakRssMiB,
        Ratio(engine.wallSeconds, curlSync, curlSync.wallSeconds).c_str(),
        Ratio(engine.wallSeconds, disk, disk.wallSeconds).c_str());
    return engine.files == s.pictures ? 0 : 1;
}

int List(const fs::path& root) {
    BenchServer server(1, std::chrono::milliseconds(0),
                       {{"many", AlbumPage(kManyAlbums, false)}, {"same", AlbumPage(kSameNameAlbums, true)}});
    if (server.Port() == 0) {
        std::fprintf(stderr, "download_bench: the loopback server did not start\n");
        return 1;
    }
    std::printf("download_bench[list]: the album-list job on one page of a 56 user's album index\n");
    Measure many = InChild([&] { return RunList(server.Port(), ListInput("many"), root); });
    Report("many", many, kManyAlbums, "albums");
    Measure same = InChild([&] { return RunList(server.Port(), ListInput("same"), root); });
    Report("same", same, kSameNameAlbums, "albums");
    std::printf("bench[list]: albums_%d_s=%.3f same_name_%d_s=%.3f peak_rss_mib=%.1f\n", kManyAlbums,
                many.wallSeconds, kSameNameAlbums, same.wallSeconds,
                std::max(many.peakRssMiB, same.peakRssMiB));
    return many.ran && same.ran && many.files == kManyAlbums && same.files == kSameNameAlbums ? 0 : 1;
}

// The page is refused once the held body passes its cap; what counts is the memory on the way.
int Page(const fs::path& root) {
    BenchServer server(1, std::chrono::milliseconds(0));
    if (server.Port() == 0) {
        std::fprintf(stderr, "download_bench: the loopback server did not start\n");
        return 1;
    }
    std::printf("download_bench[page]: the album-list job on a page of %d MiB without a declared length\n",
                kHugePageMiB);
    Measure page = InChild(
        [&] { return RunList(server.Port(), ListInput("huge" + std::to_string(kHugePageMiB)), root); });
    Report("page", page, 0, "albums");
    std::printf("bench[page]: page_mib=%d wall_s=%.3f peak_rss_mib=%.1f\n", kHugePageMiB, page.wallSeconds,
                page.peakRssMiB);
    return page.ran ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Settings s;
    if (!ParseArgs(argc, argv, s)) {
        std::fprintf(
            stderr,
            "usage: download_bench [small|large|list|page] [--pictures N] [--size-kib K] [--delay-ms D] "
            "[--threads 1-15]\n");
        return 2;
    }
    char pattern[] = "/tmp/download_bench.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::fprintf(stderr, "download_bench: no temporary folder\n");
        return 1;
    }
    const fs::path root = pattern;
    int result = s.scenario == "list" ? List(root) : s.scenario == "page" ? Page(root) : Download(s, root);
    std::error_code ec;
    fs::remove_all(root, ec);
    return result;
}
