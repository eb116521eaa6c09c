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

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The code point at the start of utf8 and its length in bytes; U+FFFD and 1 for a byte that
// starts no valid sequence (overlong forms and surrogates included).
char32_t DecodeUtf8(std::string_view utf8, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(0);
    length = 1;
    if (lead < 0x80) return lead;
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (n == 0 || lead > 0xF4 || utf8.size() < n) return kReplacement;
    char32_t c = lead & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return kReplacement;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return kReplacement;
    length = n;
    return c;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        size_t length = 1;
        char32_t c = DecodeUtf8(utf8, length);
        utf8.remove_prefix(length);
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
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
