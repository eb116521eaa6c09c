#include "platform/JsonValue.h"

#include <charconv>
#include <cmath>

#include "platform/CodePage.h"

namespace varelo {

namespace {

// Deeper nesting than any file of ours holds; it keeps a hostile file off the stack's end.
constexpr int kMaxDepth = 64;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    bool Document(JsonValue& value) {
        if (!Value(value, 0)) return false;
        Blanks();
        return at_ == text_.size() || Fail("text after the value");
    }
    std::string Error() const { return error_ + " at byte " + std::to_string(at_); }

private:
    bool Fail(const char* what) {
        if (error_.empty()) error_ = what;
        return false;
    }
    void Blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }
    bool Literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return Fail("unknown word");
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, int depth) {
        if (depth > kMaxDepth) return Fail("nested too deeply");
        Blanks();
        if (at_ >= text_.size()) return Fail("value missing");
        switch (text_[at_]) {
            case '{': return Object(value, depth);
            case '[': return Array(value, depth);
            case '"': value.type_ = JsonValue::Type::String; return String(value.string_);
            case 't':
                value.type_ = JsonValue::Type::Bool;
                value.bool_ = true;
                return Literal("true");
            case 'f': value.type_ = JsonValue::Type::Bool; return Literal("false");
            case 'n': return Literal("null");
            default: value.type_ = JsonValue::Type::Number; return Number(value.number_);
        }
    }

    bool Object(JsonValue& value, int depth) {
        value.type_ = JsonValue::Type::Object;
        ++at_;
        Blanks();
        if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
        for (;;) {
            Blanks();
            JsonValue::Member member;
            if (at_ >= text_.size() || text_[at_] != '"') return Fail("member name expected");
            if (!String(member.first)) return false;
            Blanks();
            if (at_ >= text_.size() || text_[at_] != ':') return Fail("':' expected");
            ++at_;
            if (!Value(member.second, depth + 1)) return false;
            value.members_.push_back(std::move(member));
            Blanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
            return Fail("',' or '}' expected");
        }
    }

    bool Array(JsonValue& value, int depth) {
        value.type_ = JsonValue::Type::Array;
        ++at_;
        Blanks();
        if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
        for (;;) {
            JsonValue item;
            if (!Value(item, depth + 1)) return false;
            value.items_.push_back(std::move(item));
            Blanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
            return Fail("',' or ']' expected");
        }
    }

    bool Hex4(char16_t& unit) {
        if (text_.size() - at_ < 4) return Fail("short \\u escape");
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = HexDigit(text_[at_++]);
            if (digit < 0) return Fail("bad \\u escape");
            unit = char16_t(unit * 16 + digit);
        }
        return true;
    }

    bool String(std::string& out) {
        ++at_;                 // the opening quote
        std::u16string units;  // a run of \u escapes, so surrogate pairs join
        auto flush = [&] {
            out += Utf16ToUtf8(units);
            units.clear();
        };
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                flush();
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string");
            if (c != '\\') {
                flush();
                out += c;
                ++at_;
                continue;
            }
            if (++at_ >= text_.size()) break;
            const char e = text_[at_++];
            if (e == 'u') {
                char16_t unit = 0;
                if (!Hex4(unit)) return false;
                units += unit;
                continue;
            }
            flush();
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                default: return Fail("unknown escape");
            }
        }
        return Fail("string not closed");
    }

    bool Number(double& number) {
        const size_t start = at_;
        if (at_ < text_.size() && text_[at_] == '-') ++at_;
        auto digits = [&] {
            const size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
                ++at_;
            return at_ > from;
        };
        const size_t integer = at_;
        if (!digits()) return Fail("number expected");
        if (text_[integer] == '0' && at_ - integer > 1) return Fail("leading zero");
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (!digits()) return Fail("digits expected after '.'");
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (!digits()) return Fail("digits expected in the exponent");
        }
        const char* first = text_.data() + start;
        const auto result = std::from_chars(first, text_.data() + at_, number);
        if (result.ec != std::errc() || !std::isfinite(number)) return Fail("number out of range");
        return true;
    }

    std::string_view text_;
    size_t at_ = 0;
    std::string error_;
};

std::optional<JsonValue> JsonValue::Parse(std::string_view text, std::string* error) {
    JsonValue value;
    JsonParser parser(text);
    if (parser.Document(value)) return value;
    if (error) *error = parser.Error();
    return std::nullopt;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const Member& member : members_) {
        if (member.first == key) return &member.second;
    }
    return nullptr;
}

}  // namespace varelo
