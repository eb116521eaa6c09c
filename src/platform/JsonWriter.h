#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// Writes one JSON value, indented by two blanks per level. Strings are escaped as JSON wants
// them; bytes that are not valid UTF-8 become U+FFFD, so the output is always valid JSON. The
// caller pairs Begin and End and gives a Key before every value inside an object; Text()
// closes nothing that is left open.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(int64_t value);
    // The shortest text that reads back as the same double; null for infinities and NaN,
    // which JSON cannot carry.
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return out_; }

    // The quoted, escaped form of a string.
    static std::string Quote(std::string_view text);

private:
    // Separator and indentation before a value or key at the current level.
    void BeforeItem();
    JsonWriter& Close(char bracket);
    void Raw(std::string_view text);

    std::string out_;
    std::vector<bool> hasItems_;  // per open object or array
    bool afterKey_ = false;
};

}  // namespace varelo
