// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace {

const char* IconvName(unsigned codePage) {
    switch (codePage) {
        case CodePage::GBK:
            return "CP936";
        case CodePage::UTF8:
            return "UTF-8";
        case CodePage::BIG5:
            return "CP950";
        case CodePage::EUCKR:
            return "EUC-KR";
        default:
            return nullptr;
    }
}

// iconv descriptors are not thread-safe, so each thread keeps its own, opened on first use and
// closed when the thread ends. Opening and closing load and unload glibc's conversion modules;
// they are serialised so that no thread sees a module half loaded.
std::mutex& ModuleMutex() {
    static std::mutex mutex;
    return mutex;
}

class Converter {
public:
    Converter(const char* to, const char* from) {
        std::lock_guard lock(ModuleMutex());
        cd_ = iconv_open(to, from);
    }
    ~Converter() {
        if (ok()) {
            std::lock_guard lock(ModuleMutex());
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Ready for a new conversion: any shift state of an earlier one is dropped.
    iconv_t get() const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

using ConverterMap = std::map<std::pair<std::string, bool>, std::unique_ptr<Converter>>;

// The calling thread's converters. The pointers are trivially destructible, so they stay readable
// while static objects are destroyed after the thread's own clean-up has run.
thread_local ConverterMap* threadConverters = nullptr;
thread_local bool threadFinished = false;
struct ThreadCleanup {
    ~ThreadCleanup() {
        delete threadConverters;
        threadConverters = nullptr;
        threadFinished = true;
    }
};
thread_local ThreadCleanup threadCleanup;

// The calling thread's converter between UTF-16LE and codePage. Once the thread's clean-up has
// run (destructors of static objects at exit), a converter is made for this call alone in spare.
Converter& ThreadConverter(const char* name, bool toUtf16, std::unique_ptr<Converter>& spare) {
    auto make = [&] {
        return toUtf16 ? std::make_unique<Converter>("UTF-16LE", name)
                       : std::make_unique<Converter>(name, "UTF-16LE");
    };
    if (threadFinished) {
        spare = make();
        return *spare;
    }
    if (threadConverters == nullptr) {
        (void)&threadCleanup;  // registers the clean-up for this thread
        threadConverters = new ConverterMap;
    }
    auto& slot = (*threadConverters)[{name, toUtf16}];
    if (!slot) {
        slot = make();
    }
    return *slot;
}

}  // namespace

namespace CodePage {

std::u16string Decode(std::string_view bytes, unsigned codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) {
        return {};
    }
    std::unique_ptr<Converter> spare;
    Converter& conv = ThreadConverter(name, true, spare);
    if (!conv.ok()) {
        return {};
    }
    iconv_t cd = conv.get();
    std::u16string out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char16_t buffer[4096];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof(buffer);
        std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof(buffer) - outLeft) / sizeof(char16_t));
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ: a bad sequence; EINVAL: a sequence cut off by the end. Mark it and go on.
        out.push_back(u'\uFFFD');
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        ++in;
        --inLeft;
    }
    // A NUL is no text either: marked like an undecodable byte, so what follows it is kept. No
    // code page in use has a 0 byte inside a multi-byte sequence.
    std::replace(out.begin(), out.end(), u'\0', u'\uFFFD');
    return out;
}

std::string Encode(std::u16string_view text, unsigned codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) {
        return {};
    }
    std::unique_ptr<Converter> spare;
    Converter& conv = ThreadConverter(name, false, spare);
    if (!conv.ok()) {
        return {};
    }
    iconv_t cd = conv.get();
    std::string out;
    out.reserve(text.size() * 2);
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    char buffer[8192];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof(buffer) - outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        // A character the target cannot hold, or a lone surrogate: one "?" per character.
        out.push_back('?');
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char16_t unit;
        std::memcpy(&unit, in, sizeof(unit));
        std::size_t skip = sizeof(char16_t);
        if (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 2 * sizeof(char16_t)) {
            char16_t next;
            std::memcpy(&next, in + sizeof(char16_t), sizeof(next));
            if (next >= 0xDC00 && next <= 0xDFFF) {
                skip = 2 * sizeof(char16_t);
            }
        }
        in += skip;
        inLeft -= skip;
    }
    return out;
}

}  // namespace CodePage
