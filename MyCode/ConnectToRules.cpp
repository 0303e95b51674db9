// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/ConnectToRules.h"

#include <algorithm>

namespace {

// Splits at the colons outside brackets; false unless there are exactly four fields.
bool SplitRule(std::string_view rule, std::string_view (&fields)[4]) {
    int count = 0;
    std::size_t start = 0;
    bool bracket = false;
    for (std::size_t i = 0; i <= rule.size(); ++i) {
        char c = i < rule.size() ? rule[i] : ':';
        if (c == '[') {
            bracket = true;
        } else if (c == ']') {
            bracket = false;
        } else if (c == ':' && !bracket) {
            if (count == 4) {
                return false;
            }
            fields[count++] = rule.substr(start, i - start);
            start = i + 1;
        }
    }
    return count == 4 && !bracket;
}

bool IsPortField(std::string_view port) {
    if (port.empty()) {
        return true;
    }
    if (port.size() > 5 ||
        !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    int value = std::stoi(std::string(port));
    return value >= 1 && value <= 65535;
}

bool ValidHostField(std::string_view host) {
    return std::none_of(host.begin(), host.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '/'; });
}

std::string_view SourceOf(std::string_view rule) {
    std::string_view fields[4];
    if (!SplitRule(rule, fields)) {
        return {};
    }
    return rule.substr(0, fields[0].size() + 1 + fields[1].size());
}

}  // namespace

ConnectToRules& ConnectToRules::Instance() {
    static ConnectToRules instance;
    return instance;
}

bool ConnectToRules::Add(std::string_view rule) {
    std::string_view fields[4];
    if (!SplitRule(rule, fields) || !IsPortField(fields[1]) || !IsPortField(fields[3]) ||
        !ValidHostField(fields[0]) || !ValidHostField(fields[2])) {
        return false;
    }
    std::lock_guard lock(mutex_);
    std::string_view source = SourceOf(rule);
    auto same = std::find_if(rules_.begin(), rules_.end(),
                             [&](const std::string& r) { return SourceOf(r) == source; });
    if (same != rules_.end()) {
        *same = rule;
    } else {
        rules_.emplace_back(rule);
    }
    return true;
}

void ConnectToRules::Remove(std::string_view rule) {
    std::string_view source = SourceOf(rule);
    if (source.empty()) {
        source = rule;
    }
    std::lock_guard lock(mutex_);
    std::erase_if(rules_, [&](const std::string& r) { return SourceOf(r) == source; });
}

void ConnectToRules::Clear() {
    std::lock_guard lock(mutex_);
    rules_.clear();
}

std::vector<std::string> ConnectToRules::List() const {
    std::lock_guard lock(mutex_);
    return rules_;
}
