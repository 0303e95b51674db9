// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "MyCode/Cookie.h"

// The process-wide cookie store. Every request sends from it and every response's Set-Cookie
// updates it (it lives in the curl share). With a program folder set it is kept there as the
// Netscape-format "cookies.txt", mode 0600, rewritten atomically after every change. Only
// persistent cookies are written; session cookies end with the program run, as in a browser.
class CookieStore {
public:
    static CookieStore& Instance();

    // ImportFile's answers besides a count.
    static constexpr int IMPORT_UNREADABLE = -1;  // the file cannot be opened or read
    static constexpr int IMPORT_NOT_A_FILE = -2;  // a FIFO, a device or a folder: not read at all
    static constexpr int IMPORT_STOPPED = -3;     // stopped answered true before the end

    // Loads "cookies.txt" from folder (a missing file is an empty store) and saves there from now
    // on. An empty folder stops saving. False when the file exists but cannot be read or is not a
    // regular file. stopped is asked between lines; when it answers true the loading ends and
    // nothing is saved, so a store that was not loaded whole never replaces the file.
    bool SetProgramFolder(std::u16string_view folder, const std::function<bool()>& stopped = {});

    // Imports a Netscape cookies.txt file as browsers and their extensions export it. Returns the
    // number of cookies taken, or one of the IMPORT_ answers. stopped is asked between lines; after
    // a stop nothing is saved (cookies already taken stay in the store until its next save).
    int ImportFile(std::u16string_view path, const std::function<bool()>& stopped = {});
    // Adds or replaces a cookie (same domain, path and name); the login browser feeds the store so.
    bool Add(const Cookie& cookie);
    // Removes every cookie.
    void Clear();

    // Every cookie in the store that has not expired.
    std::vector<Cookie> All() const;
    // "name=value; name2=value2" of the cookies a request to url would carry, longest path first.
    std::string HeaderFor(std::string_view url) const;

    // Writes the file when the persistent cookies differ from what was written last. The client
    // calls it after a response that set cookies.
    void SaveIfChanged();

private:
    CookieStore() = default;
    // The cookies of text's Netscape lines, fed to the jar; -1 when stopped said so first.
    int AddLines(std::string_view text, const std::function<bool()>& stopped = {});

    std::mutex saveMutex_;
    std::u16string filePath_;
    std::string savedText_;
};
