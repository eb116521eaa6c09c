#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>

namespace varelo {

namespace {

std::string AsciiOnly(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        out += (static_cast<unsigned char>(c) < 0x80) ? c : '?';
    return out;
}

std::string Convert(std::string_view text, const std::string& to, const std::string& from) {
    const bool fromUtf8 = from == "UTF-8";
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOnly(text);
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (result != size_t(-1) || errno == E2BIG) continue;
        // An invalid, incomplete or unconvertible character: replace it and go on after it.
        out += '?';
        do {
            ++in;
            --inLeft;
        } while (fromUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::string CodePageName(int codePage) {
    return "CP" + std::to_string(codePage);
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    return Convert(bytes, "UTF-8", CodePageName(codePage));
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
    return Convert(utf8, CodePageName(codePage), "UTF-8");
}

std::string_view Utf8Prefix(std::string_view utf8, size_t count) {
    size_t at = 0;
    for (size_t n = 0; at < utf8.size() && n < count; ++n) {
        ++at;  // past the lead byte, then past its continuation bytes
        while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80)
            ++at;
    }
    return utf8.substr(0, at);
}

}  // namespace varelo
