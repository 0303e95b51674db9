#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"

// One site family's road through orvelle-cli: the fixture server standing in for the family's
// hosts, a program folder and a save folder.
class SiteCliTest : public ::testing::Test {
protected:
    // The command with the program folder and each of hosts sent to the fixture server.
    std::vector<std::string> Args(const std::string& command, std::initializer_list<const char*> hosts,
                                  std::vector<std::string> more) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath()};
        for (const char* host : hosts) {
            args.push_back("--connect-to");
            args.push_back(std::string(host) + ":80:127.0.0.1:" + std::to_string(server.Port()));
        }
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    // A file of tests/fixtures/<folder>/<name>, as bytes.
    static std::string Fixture(const std::string& folder, const std::string& name) {
        std::string bytes;
        EXPECT_TRUE(FileSystem::ReadFile(
            CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/" + folder + "/" + name), bytes))
            << folder << "/" << name;
        return bytes;
    }

    // A small JPEG-looking body that differs by seed.
    static std::string PictureBytes(char seed) {
        std::string bytes = "\xFF\xD8\xFF\xE0";
        for (int i = 0; i < 2000; ++i) {
            bytes.push_back(static_cast<char>(seed + i % 89));
        }
        return bytes;
    }

    static bool SameBytes(const std::u16string& path, const std::string& expected) {
        std::string bytes;
        return FileSystem::ReadFile(path, bytes) && bytes == expected;
    }

    FixtureServer server;
    TempDir program;
    TempDir save;
};
