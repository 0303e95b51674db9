// The download engine against aria2c: a loopback server (its own process) serves N pictures, each
// answer delayed by a fixed time; the real download job fetches them with threadCount workers, and
// aria2c fetches the same list with -j threadCount. Each runs in a child process, so wall time,
// CPU time and peak RSS are its own. The last line is for outside checks.
//
//   download_bench [--pictures N] [--size-kib K] [--delay-ms D] [--threads T]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "bench/BenchServer.h"
#include "bench/QuietWindowPort.h"
#include "core/DownloadJob.h"
#include "core/JobContext.h"
#include "platform/CodePage.h"
#include "sites/AdapterTable.h"
#include "sites/kit/Emission.h"
#include "sites/kit/PictureCall.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Settings {
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
    int files = 0;
};

bool ParseArgs(int argc, char** argv, Settings& s) {
    for (int i = 1; i < argc; ++i) {
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

// The child's body: one album of all pictures, named by their address, straight into the save
// folder, downloaded by the download job exactly as the window's button would run it.
[[noreturn]] void RunEngine(const Settings& s, int port, const fs::path& folder, int reportFd) {
    JobContext job;
    QuietWindowPort window(CodePage::FromUtf8(folder.string()));
    job.window = &window;
    job.ready = 1;
    job.siteType = SITE_TENCENT;
    job.subMode = TENCENT_QZONE;
    SiteSettings& settings = job.siteSettings[SITE_TENCENT];
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
    SetUpAlbumGrid(job);
    ST_PERLISTRECORD album;
    album.name = u"bench";
    EmitAlbum(album, job);
    SelectAllAlbums(job, true);

    auto start = Clock::now();
    DownloadJobFunc(job, table);
    double wall = std::chrono::duration<double>(Clock::now() - start).count();
    ssize_t written = ::write(reportFd, &wall, sizeof(wall));
    ::_exit(written == sizeof(wall) ? 0 : 1);
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

void TakeUsage(const rusage& usage, Measure& m) {
    m.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    m.peakRssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

Measure MeasureEngine(const Settings& s, int port, const fs::path& folder) {
    Measure m;
    int fds[2];
    if (::pipe(fds) != 0) {
        return m;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        RunEngine(s, port, folder, fds[1]);
    }
    ::close(fds[1]);
    double wall = 0;
    bool reported = pid > 0 && ::read(fds[0], &wall, sizeof(wall)) == sizeof(wall);
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid && reported && WIFEXITED(status) &&
        WEXITSTATUS(status) == 0) {
        m.ran = true;
        m.wallSeconds = wall;
        TakeUsage(usage, m);
    }
    return m;
}

Measure MeasureAria2(const Settings& s, int port, const fs::path& folder) {
    Measure m;
    fs::path list = folder / "urls.txt";
    {
        std::ofstream out(list);
        for (int n = 0; n < s.pictures; ++n) {
            out << PictureUrl(port, n) << '\n';
        }
    }
    std::string jobs = std::to_string(s.threads);
    std::string dir = folder.string();
    std::string input = list.string();
    std::vector<const char*> args = {"aria2c",
                                     "-q",
                                     "-j",
                                     jobs.c_str(),
                                     "-d",
                                     dir.c_str(),
                                     "-i",
                                     input.c_str(),
                                     "--file-allocation=none",
                                     "--allow-overwrite=true",
                                     "--auto-file-renaming=false",
                                     "--summary-interval=0",
                                     "--console-log-level=error",
                                     nullptr};
    auto start = Clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::execvp("aria2c", const_cast<char* const*>(args.data()));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        m.ran = true;
        m.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        TakeUsage(usage, m);
    }
    fs::remove(list);
    return m;
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

void Report(const char* name, const Measure& m, const Settings& s) {
    if (!m.ran) {
        std::printf("%-7s did not run\n", name);
        return;
    }
    std::printf("%-7s wall %.3f s, %.1f pictures/s, cpu %.3f s, peak rss %.1f MiB, %d/%d pictures\n", name,
                m.wallSeconds, m.files / m.wallSeconds, m.cpuSeconds, m.peakRssMiB, m.files, s.pictures);
}

}  // namespace

int main(int argc, char** argv) {
    Settings s;
    if (!ParseArgs(argc, argv, s)) {
        std::fprintf(stderr,
                     "usage: download_bench [--pictures N] [--size-kib K] [--delay-ms D] [--threads 1-15]\n");
        return 2;
    }
    const std::size_t bytes = static_cast<std::size_t>(s.sizeKiB) * 1024;
    BenchServer server(bytes, std::chrono::milliseconds(s.delayMs));
    if (server.Port() == 0) {
        std::fprintf(stderr, "download_bench: the loopback server did not start\n");
        return 1;
    }
    char pattern[] = "/tmp/download_bench.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::fprintf(stderr, "download_bench: no temporary folder\n");
        return 1;
    }
    const fs::path root = pattern;
    const fs::path engineDir = root / "engine";
    const fs::path ariaDir = root / "aria2c";
    fs::create_directories(engineDir);
    fs::create_directories(ariaDir);

    const double ideal = std::ceil(static_cast<double>(s.pictures) / s.threads) * s.delayMs / 1000.0;
    std::printf("download_bench: %d pictures of %d KiB, %d ms delay, %d threads\n", s.pictures, s.sizeKiB,
                s.delayMs, s.threads);
    std::printf("ideal   %.3f s = ceil(%d / %d) x %d ms\n", ideal, s.pictures, s.threads, s.delayMs);

    Measure engine = MeasureEngine(s, server.Port(), engineDir);
    engine.files = CountFiles(engineDir, bytes);
    Report("engine", engine, s);
    Measure aria = MeasureAria2(s, server.Port(), ariaDir);
    aria.files = CountFiles(ariaDir, bytes);
    Report("aria2c", aria, s);

    std::error_code ec;
    fs::remove_all(root, ec);
    if (!engine.ran) {
        return 1;
    }
    char vsAria[32] = "n/a";
    if (aria.ran && aria.wallSeconds > 0) {
        std::snprintf(vsAria, sizeof(vsAria), "%.3f", engine.wallSeconds / aria.wallSeconds);
    }
    std::printf("bench: engine_vs_ideal=%.3f engine_vs_aria2=%s peak_rss_mib=%.1f\n",
                ideal > 0 ? engine.wallSeconds / ideal : 0.0, vsAria, engine.peakRssMiB);
    return engine.files == s.pictures ? 0 : 1;
}
