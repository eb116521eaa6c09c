#include "platform/JsonWriter.h"

#include <charconv>
#include <cmath>

#include <cstdio>

namespace varelo {

namespace {

// Length of the valid UTF-8 sequence at text[i]; 0 when there is none.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return uint8_t(text[k]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond U+10FFFF are not valid.
    static constexpr uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

}  // namespace

std::string JsonWriter::Quote(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (uint8_t(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(uint8_t(c)));
                    out += escaped;
                } else {
                    out += c;
                }
        }
        ++i;
    }
    return out + "\"";
}

void JsonWriter::Raw(std::string_view text) {
    out_.append(text);
}

void JsonWriter::BeforeItem() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) Raw(",");
    hasItems_.back() = true;
    Raw("\n");
    Raw(std::string(2 * hasItems_.size(), ' '));
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeItem();
    Raw("{");
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeItem();
    Raw("[");
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
    if (hasItems_.empty()) return *this;
    const bool hadItems = hasItems_.back();
    hasItems_.pop_back();
    if (hadItems) {
        Raw("\n");
        Raw(std::string(2 * hasItems_.size(), ' '));
    }
    out_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    return Close('}');
}
JsonWriter& JsonWriter::EndArray() {
    return Close(']');
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeItem();
    Raw(Quote(key));
    Raw(": ");
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
    BeforeItem();
    Raw(Quote(value));
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeItem();
    Raw(std::to_string(value));
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    if (!std::isfinite(value)) return Null();
    BeforeItem();
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    Raw(std::string_view(text, size_t(result.ptr - text)));
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeItem();
    Raw(value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeItem();
    Raw("null");
    return *this;
}

}  // namespace varelo
