#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <string>
#include <utility>
#include <vector>

#include "platform/JsonWriter.h"

namespace varelo {
namespace {

TEST(JsonWriter, StringsAreEscapedAndInvalidUtf8IsReplaced) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", R"("plain")"},
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {"\n\t\r\b\f", R"("\n\t\r\b\f")"},
        {std::string("\x00\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\x7f\""},
        {"Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x98\x80",
         "\"Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x98\x80\""},
        {"Z\xFCrich", R"("Z\ufffdrich")"},                      // an 8-bit character
        {"\xC0\x80", R"("\ufffd\ufffd")"},                      // overlong
        {"\xED\xA0\x80", R"("\ufffd\ufffd\ufffd")"},            // surrogate
        {"\xF4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"},  // beyond U+10FFFF
        {"ab\xE2\x82", R"("ab\ufffd\ufffd")"},                  // cut off at the end
    };
    for (const auto& [text, quoted] : cases) {
        SCOPED_TRACE(quoted);
        EXPECT_EQ(JsonWriter::Quote(text), quoted);
    }
}

TEST(JsonWriter, NestedValuesAreIndentedAndSeparated) {
    JsonWriter w;
    w.BeginObject()
        .Key("name")
        .String("Logger")
        .Key("count")
        .Int(-12)
        .Key("jobs")
        .BeginArray()
        .BeginObject()
        .Key("ok")
        .Bool(true)
        .EndObject()
        .Null()
        .EndArray()
        .Key("empty")
        .BeginObject()
        .EndObject()
        .Key("none")
        .BeginArray()
        .EndArray()
        .EndObject();
    EXPECT_EQ(w.Text(),
              "{\n"
              "  \"name\": \"Logger\",\n"
              "  \"count\": -12,\n"
              "  \"jobs\": [\n"
              "    {\n"
              "      \"ok\": true\n"
              "    },\n"
              "    null\n"
              "  ],\n"
              "  \"empty\": {},\n"
              "  \"none\": []\n"
              "}");
}

TEST(JsonWriter, NumbersReadBackExactlyAndNonFiniteOnesAreNull) {
    JsonWriter j;
    j.BeginArray()
        .Number(0.1)
        .Number(-276)
        .Number(1e-7)
        .Number(std::nan(""))
        .Number(std::numeric_limits<double>::infinity());
    j.EndArray();
    EXPECT_EQ(j.Text(), "[\n  0.1,\n  -276,\n  1e-07,\n  null,\n  null\n]");
}

}  // namespace
}  // namespace varelo
