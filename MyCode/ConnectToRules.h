// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The process-wide connect-to rules, "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" with empty fields
// matching any (an IPv6 address stands in brackets). The command line and the tests use them to
// send the sites' real host names to another server, e.g. "h5.qzone.qq.com:80:127.0.0.1:8080".
class ConnectToRules {
public:
    static ConnectToRules& Instance();

    // Adds a rule, replacing the one for the same HOST:PORT; false for a malformed rule.
    bool Add(std::string_view rule);
    // Removes the rule for HOST:PORT; rule is either "HOST:PORT" or a whole rule.
    void Remove(std::string_view rule);
    void Clear();
    // The rules in the order curl tries them.
    std::vector<std::string> List() const;

private:
    ConnectToRules() = default;
    mutable std::mutex mutex_;
    std::vector<std::string> rules_;
};
