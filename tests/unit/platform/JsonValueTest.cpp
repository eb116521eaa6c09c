#include <gtest/gtest.h>

#include <string>

#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"

namespace varelo {
namespace {

TEST(JsonValue, ReadsWhatTheWriterWrites) {
    JsonWriter out;
    out.BeginObject().Key("text").String("a\"b\\c\n\t\x01 \xC3\xBC \xF0\x9F\x94\x8C");
    out.Key("numbers").BeginArray().Int(-2147483648LL).Number(0.1f).Number(-1e-7).EndArray();
    out.Key("flags").BeginArray().Bool(true).Bool(false).Null().EndArray();
    out.Key("empty").BeginObject().EndObject().EndObject();
    std::string error;
    const auto v = JsonValue::Parse(out.Text(), &error);
    ASSERT_TRUE(v) << error;
    EXPECT_EQ(v->Find("text")->String(), "a\"b\\c\n\t\x01 \xC3\xBC \xF0\x9F\x94\x8C");
    const auto& numbers = v->Find("numbers")->Items();
    EXPECT_EQ(numbers[0].Number(), -2147483648.0);
    EXPECT_EQ(float(numbers[1].Number()), 0.1f);  // a float's shortest text reads back exactly
    EXPECT_EQ(numbers[2].Number(), -1e-7);
    const auto& flags = v->Find("flags")->Items();
    EXPECT_TRUE(flags[0].Bool());
    EXPECT_EQ(flags[1].GetType(), JsonValue::Type::Bool);
    EXPECT_EQ(flags[2].GetType(), JsonValue::Type::Null);
    EXPECT_TRUE(v->Find("empty")->IsObject());
    EXPECT_EQ(v->Find("missing"), nullptr);
    // A surrogate pair escaped in two parts joins into one character.
    EXPECT_EQ(JsonValue::Parse(R"("\ud83d\udd0c\u00fc")")->String(), "\xF0\x9F\x94\x8C\xC3\xBC");
}

TEST(JsonValue, RefusesWhatIsNotJson) {
    const char* cases[] = {"",        "{",     "[1,]",        "{\"a\" 1}", "{\"a\":1,}",
                           "01",      "1.",    "-",           "1e",        "tru",
                           "\"\\x\"", "\"abc", "\"\\u12G4\"", "[1] 2",     "\"a\nb\"",
                           "1e999",   "{1:2}", "NaN"};
    for (const char* text : cases)
        EXPECT_FALSE(JsonValue::Parse(text)) << text;
    std::string deep(100, '[');
    deep += std::string(100, ']');
    std::string error;
    EXPECT_FALSE(JsonValue::Parse(deep, &error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

}  // namespace
}  // namespace varelo
