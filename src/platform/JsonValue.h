#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varelo {

// One parsed JSON value (RFC 8259), for the files the programs read back from what they
// printed. Object members keep their order; a later duplicate key is found second.
class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, JsonValue>;

    // The whole text must be one value (blanks around it allowed); nothing on failure, with
    // the reason and its byte offset in error when given.
    static std::optional<JsonValue> Parse(std::string_view text, std::string* error = nullptr);

    Type GetType() const { return type_; }
    bool IsNumber() const { return type_ == Type::Number; }
    bool IsString() const { return type_ == Type::String; }
    bool IsArray() const { return type_ == Type::Array; }
    bool IsObject() const { return type_ == Type::Object; }
    bool Bool() const { return bool_; }
    double Number() const { return number_; }
    const std::string& String() const { return string_; }
    const std::vector<JsonValue>& Items() const { return items_; }
    const std::vector<Member>& Members() const { return members_; }
    // The first member of that name; nullptr when there is none or this is no object.
    const JsonValue* Find(std::string_view key) const;

private:
    friend class JsonParser;
    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<JsonValue> items_;
    std::vector<Member> members_;
};

}  // namespace varelo
