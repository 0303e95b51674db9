// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/AlbumSelection.h"

// The command line: "orvelle-cli list|download [options] INPUT".
struct CliOptions {
    enum class Command { None, List, Download };

    Command command = Command::None;
    std::string input;
    std::optional<int> site;     // --site: 0..16; detected from the input when absent
    std::optional<int> subMode;  // --submode: the sub-mode box of site type 0
    std::optional<std::string> savePath;
    AlbumSelection albums;
    std::optional<std::string> programDir;
    std::optional<std::string> cookiesFile;
    std::vector<std::string> connectTo;
    bool answerYes = false;
    bool help = false;
    bool version = false;
    bool json = false;

    // Reads argv; false with a one-line reason in error for anything it cannot use. --help or
    // --version alone is enough: the rest is not required then.
    bool Parse(int argc, char** argv, std::string& error);

    static std::string Usage();
};
