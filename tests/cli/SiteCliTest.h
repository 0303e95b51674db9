// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

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
    // command with the program folder, then every host on each port sent to the fixture server,
    // then more. An https port sent there fails, so no test reaches the internet.
    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& hosts,
                                  const std::vector<std::string>& more,
                                  const std::vector<int>& ports = {80}) const {
        std::vector<std::string> args{command, "--program-dir", program.NativePath()};
        for (const std::string& host : hosts) {
            for (int port : ports) {
                args.push_back("--connect-to");
                args.push_back(host + ":" + std::to_string(port) +
                               ":127.0.0.1:" + std::to_string(server.Port()));
            }
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

    // The same file, kept in UTF-8, as the GBK or Big5 bytes a site answers with.
    static std::string GbkFixture(const std::string& folder, const std::string& name) {
        return CodePage::Encode(CodePage::FromUtf8(Fixture(folder, name)), CodePage::GBK);
    }
    static std::string Big5Fixture(const std::string& folder, const std::string& name) {
        return CodePage::Encode(CodePage::FromUtf8(Fixture(folder, name)), CodePage::BIG5);
    }

    // A small JPEG-looking body that differs by seed.
    static std::string PictureBytes(char seed) {
        std::string bytes = "\xFF\xD8\xFF\xE0";
        for (int i = 0; i < 2000; ++i) {
            bytes.push_back(static_cast<char>(seed + i % 89));
        }
        return bytes;
    }

    // The bytes of the file at path, empty when there is none.
    static std::string FileAt(const std::u16string& path) {
        std::string bytes;
        FileSystem::ReadFile(path, bytes);
        return bytes;
    }

    // Whether the file at path holds exactly expected.
    static bool SameBytes(const std::u16string& path, const std::string& expected) {
        std::string bytes;
        return FileSystem::ReadFile(path, bytes) && bytes == expected;
    }

    FixtureServer server;
    TempDir program;
    TempDir save;
};
