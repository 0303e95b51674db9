#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

// What the sites' orvelle-cli tests share: their fixture pages, picture bytes, and the command line
// that sends the sites' hosts to the fixture server.
namespace SiteCliFixtures {

// tests/fixtures/<folder>/<name>, as GBK bytes (the files are UTF-8).
inline std::string GbkFixture(const std::string& folder, const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(FileSystem::ReadFile(
        CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/" + folder + "/" + name), bytes))
        << folder << "/" << name;
    return CodePage::Encode(CodePage::FromUtf8(bytes), CodePage::GBK);
}

// A small JPEG-like picture, different for each seed.
inline std::string PictureBytes(char seed) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes.append(2500, seed);
    return bytes;
}

// command with the program folder, then every host on each port sent to the fixture server on
// serverPort, then more. An https port sent there fails, so no test reaches the internet.
inline std::vector<std::string> Args(const std::string& command, const std::string& programDir,
                                     std::initializer_list<const char*> hosts,
                                     std::initializer_list<int> ports, int serverPort,
                                     const std::vector<std::string>& more) {
    std::vector<std::string> args{command, "--program-dir", programDir};
    for (const char* host : hosts) {
        for (int port : ports) {
            args.push_back("--connect-to");
            args.push_back(std::string(host) + ":" + std::to_string(port) +
                           ":127.0.0.1:" + std::to_string(serverPort));
        }
    }
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

}  // namespace SiteCliFixtures
