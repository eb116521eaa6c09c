#pragma once

#include <string>
#include <string_view>

namespace varelo {

// Conversion between UTF-8 and the 8-bit text of a Windows code page (1252, 936, ...), as the
// Logger's text fields and some files carry it. A character without a counterpart, or an
// invalid byte sequence, becomes "?"; an unknown code page passes ASCII and replaces the rest.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view utf8, int codePage);
// UTF-16 text (as some files store it) to UTF-8 and back; an unpaired surrogate or an invalid
// UTF-8 sequence becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
// The first count characters of UTF-8 text, never cutting a character apart.
std::string_view Utf8Prefix(std::string_view utf8, size_t count);

}  // namespace varelo
