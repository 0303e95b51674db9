#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

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

// iconv descriptors are not thread-safe, so each conversion opens its own; opening is cheap next
// to the page fetches that precede every conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

namespace CodePage {

std::u16string Decode(std::string_view bytes, unsigned codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) {
        return {};
    }
    Converter conv("UTF-16LE", name);
    if (!conv.ok()) {
        return {};
    }
    std::u16string out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char16_t buffer[4096];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof(buffer);
        std::size_t rc = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof(buffer) - outLeft) / sizeof(char16_t));
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ: a bad sequence; EINVAL: a sequence cut off by the end. Mark it and go on.
        out.push_back(u'\uFFFD');
        iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
        ++in;
        --inLeft;
    }
    return out;
}

std::string Encode(std::u16string_view text, unsigned codePage) {
    const char* name = IconvName(codePage);
    if (name == nullptr) {
        return {};
    }
    Converter conv(name, "UTF-16LE");
    if (!conv.ok()) {
        return {};
    }
    std::string out;
    out.reserve(text.size() * 2);
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
    std::size_t inLeft = text.size() * sizeof(char16_t);
    char buffer[8192];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        std::size_t rc = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof(buffer) - outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        // A character the target cannot hold, or a lone surrogate: one "?" per character.
        out.push_back('?');
        iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
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
