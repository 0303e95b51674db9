#pragma once

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

    // Loads "cookies.txt" from folder (a missing file is an empty store) and saves there from now
    // on. An empty folder stops saving. False when the file exists but cannot be read.
    bool SetProgramFolder(std::u16string_view folder);

    // Imports a Netscape cookies.txt file as browsers and their extensions export it. Returns the
    // number of cookies taken, -1 when the file cannot be read.
    int ImportFile(std::u16string_view path);
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
    int AddLines(std::string_view text);

    std::mutex saveMutex_;
    std::u16string filePath_;
    std::string savedText_;
};
