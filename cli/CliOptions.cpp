// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <algorithm>

#include <charconv>
#include <string_view>

#include "MyCode/ConnectToRules.h"
#include "MyCode/StringCtrl.h"
#include "platform/CodePage.h"

namespace {

bool ParseInt(std::string_view text, int low, int high, int& out) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && out >= low &&
           out <= high;
}

// A folder or file option: any text but the empty one.
bool TakePath(const std::string& value, const char* refusal, std::optional<std::string>& target,
              std::string& error) {
    if (value.empty()) {
        error = refusal;
        return false;
    }
    target = value;
    return true;
}

}  // namespace

bool CliOptions::Parse(int argc, char** argv, std::string& error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg.substr(0, 2) != "--") {
            positional.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help") {
            help = true;
            continue;
        }
        if (arg == "--version") {
            version = true;
            continue;
        }
        if (arg == "--json") {
            json = true;
            continue;
        }
        // "--name VALUE" or "--name=VALUE".
        static constexpr std::string_view kValued[] = {"--site",       "--submode",     "--save",
                                                       "--albums",     "--program-dir", "--cookies",
                                                       "--connect-to", "--answer"};
        std::string_view name = arg.substr(0, arg.find('='));
        if (std::find(std::begin(kValued), std::end(kValued), name) == std::end(kValued)) {
            error = "unknown option " + std::string(name);
            return false;
        }
        std::string value;
        std::size_t equals = arg.find('=');
        if (equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            value = std::string(arg.substr(equals + 1));
        } else {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        int number = 0;
        if (name == "--site") {
            if (!ParseInt(value, 0, 16, number)) {
                error = "--site takes a site type from 0 to 16";
                return false;
            }
            site = number;
        } else if (name == "--submode") {
            if (!ParseInt(value, 0, 2, number)) {
                error = "--submode takes 0 (Qzone), 1 (QQ group) or 2 (Tencent Weibo)";
                return false;
            }
            subMode = number;
        } else if (name == "--save") {
            if (!TakePath(value, "--save needs a folder", savePath, error)) {
                return false;
            }
        } else if (name == "--albums") {
            if (!albums.Parse(value)) {
                error = "--albums takes \"all\" or row numbers such as 1,3-5";
                return false;
            }
        } else if (name == "--program-dir") {
            if (!TakePath(value, "--program-dir needs a folder", programDir, error)) {
                return false;
            }
        } else if (name == "--cookies") {
            if (!TakePath(value, "--cookies needs a file", cookiesFile, error)) {
                return false;
            }
        } else if (name == "--connect-to") {
            if (!ConnectToRules::Instance().Add(value)) {
                error = "--connect-to takes HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT";
                return false;
            }
            connectTo.push_back(value);
        } else if (name == "--answer") {
            if (value != "yes" && value != "no") {
                error = "--answer takes yes or no";
                return false;
            }
            answerYes = value == "yes";
        } else {
            error = "unknown option " + std::string(name);
            return false;
        }
    }
    if (help || version) {
        return true;
    }
    if (positional.empty()) {
        error = "a command is required";
        return false;
    }
    if (positional[0] == "list") {
        command = Command::List;
    } else if (positional[0] == "download") {
        command = Command::Download;
    } else {
        error = "unknown command " + positional[0];
        return false;
    }
    if (positional.size() != 2) {
        error = positional.size() < 2 ? "INPUT is required" : "only one INPUT may be given";
        return false;
    }
    input = positional[1];
    // The album list would only say that there is nothing to look for.
    if (StringCtrl::Trim(CodePage::FromUtf8(input)).empty()) {
        error = "INPUT is empty";
        return false;
    }
    return true;
}

std::string CliOptions::Usage() {
    return "Usage: orvelle-cli list [options] INPUT\n"
           "       orvelle-cli download [options] INPUT\n"
           "\n"
           "list      lists the albums for INPUT (a QQ number, a group number or an album page\n"
           "          address), one line per album: row, name, picture count and remark, tab-separated.\n"
           "download  lists the albums, then downloads those chosen with --albums.\n"
           "\n"
           "Options:\n"
           "  --site N           site type 0 to 16; detected from an address in INPUT by default, else 0\n"
           "  --submode M        for site type 0: 0 Qzone, 1 QQ group, 2 Tencent Weibo; default 0\n"
           "  --save DIR         save folder; by default the last one used, else the program folder\n"
           "                     (installed: Orvelle in the pictures folder)\n"
           "  --albums LIST      rows to download, such as 1,3-5, or all (the default)\n"
           "  --program-dir DIR  folder of soft.dat, cookies.txt, Q2.txt and tmp/; by default the current\n"
           "                     folder in a build tree; installed: $XDG_DATA_HOME/Orvelle\n"
           "                     (~/.local/share/Orvelle), or ~/Orvelle when it holds soft.dat\n"
           "  --cookies FILE     import a Netscape cookies.txt (as browsers export it) first; it must be\n"
           "                     a regular file\n"
           "  --connect-to RULE  HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT, as curl takes it; repeatable\n"
           "  --answer yes|no    the answer to every yes/no question (default: no)\n"
           "  --json             stdout gets one JSON object a line: list, one per album (row, name,\n"
           "                     count, remark, privacy, url, cover); download, one per event\n"
           "                     (album-started, picture-saved, picture-not-saved, album-ended,\n"
           "                     job-ended with exit_code); stderr is unchanged\n"
           "  --help             this text\n"
           "  --version          prints orvelle-cli and its version\n"
           "\n"
           "Messages, progress and what a download did go to stderr: each picture not saved with\n"
           "its reason, then a summary per album and for the job, such as\n"
           "  下载完毕：成功 118 张，失败 2 张，跳过 3 张\n"
           "Only album rows (or --json lines) go to stdout. Control characters in site text are shown\n"
           "as \\xHH. When stderr is a terminal, a download's progress is one line redrawn in place:\n"
           "the album k of n, the pictures saved of its total, and the speed.\n"
           "A site that answers 429 or 503 with a Retry-After is asked again after that wait (at most\n"
           "30 s, shown as 服务器要求等待 N 秒).\n"
           "Ctrl-C stops the job cleanly, as the window's stop button does; a second Ctrl-C ends at once.\n"
           "Before the job starts (while cookies are read, say) Ctrl-C ends the program at once.\n"
           "\n"
           "Exit codes:\n"
           "  0    everything asked for was done (a list whose pages came and held no album too)\n"
           "  1    some pictures or albums could not be downloaded; the summary says how many\n"
           "  2    bad usage, an empty INPUT too\n"
           "  3    the download could not start: no album to download, a save folder (or program\n"
           "       folder) that cannot be written, or a cookies file that cannot be read or is not a\n"
           "       regular file\n"
           "  4    the site could not be read: the album list's page was refused (an HTTP error)\n"
           "       or did not come\n"
           "  130  stopped by Ctrl-C (143 for SIGTERM)\n";
}
