#include "cli/AoaJson.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>

#include "platform/JsonValue.h"
#include "platform/JsonWriter.h"
#include "timeplot/AoaDefinition/AOARootObj.h"

namespace varelo {

namespace {

// JSON has no NaN or infinity: such a float goes as its bits, "0x7FC00000", so it comes back.
void Float(JsonWriter& out, float value) {
    if (std::isfinite(value)) {
        out.Number(value);
        return;
    }
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[16];
    std::snprintf(text, sizeof text, "0x%08" PRIX32, bits);
    out.String(text);
}

void Channel(JsonWriter& out, const CAOAChannelInfo& c) {
    out.BeginObject();
    out.Key("phase").Int(c.Phase);
    out.Key("quantity").Int(c.Quantity);
    out.Key("frequencyMeasurement").Int(c.FreqMeasurement);
    out.Key("frequencyOrOrder");
    Float(out, c.FreqOrOrder);
    out.Key("principle").Int(c.MeasPrinciple);
    out.Key("beginType").Int(c.BeginType);
    out.Key("beginValue");
    Float(out, c.BeginValue);
    out.Key("endType").Int(c.EndType);
    out.Key("endValue");
    Float(out, c.EndValue);
    out.Key("rounding").Int(c.Rounding);
    out.EndObject();
}

// Reads the fields of one JSON object, naming the place of any problem.
class Fields {
public:
    Fields(const JsonValue& value, std::string place, std::string& problem)
        : value_(value), place_(std::move(place)), problem_(problem) {
        if (!value.IsObject()) Fail("is not an object");
    }

    bool Ok() const { return ok_; }
    // A part inside failed and has said why.
    void Abort() { ok_ = false; }
    bool Fail(const std::string& what) {
        if (ok_) problem_ = place_ + " " + what;
        ok_ = false;
        return false;
    }
    // Every member must be one of the names.
    void Only(std::initializer_list<std::string_view> names) {
        if (!ok_) return;
        for (const JsonValue::Member& m : value_.Members()) {
            bool known = false;
            for (std::string_view name : names)
                known = known || m.first == name;
            if (!known) Fail("has an unknown field \"" + m.first + "\"");
        }
    }
    const JsonValue* Get(std::string_view name) {
        if (!ok_) return nullptr;
        const JsonValue* v = value_.Find(name);
        if (!v) Fail("lacks \"" + std::string(name) + "\"");
        return v;
    }
    template <typename T>
    void Int(std::string_view name, T& target) {
        const JsonValue* v = Get(name);
        if (!v) return;
        const double n = v->Number();
        if (!v->IsNumber() || n != std::trunc(n) || n < double(std::numeric_limits<T>::min()) ||
            n > double(std::numeric_limits<T>::max())) {
            Fail("has \"" + std::string(name) + "\" out of its range");
            return;
        }
        target = T(n);
    }
    void Text(std::string_view name, std::string& target) {
        const JsonValue* v = Get(name);
        if (!v) return;
        if (!v->IsString()) {
            Fail("has \"" + std::string(name) + "\" not as a string");
            return;
        }
        target = v->String();
    }
    void Float(std::string_view name, float& target) {
        const JsonValue* v = Get(name);
        if (!v) return;
        if (v->IsNumber() && std::abs(v->Number()) <= double(std::numeric_limits<float>::max())) {
            target = float(v->Number());
            return;
        }
        uint32_t bits = 0;
        int used = 0;
        if (v->IsString() && v->String().size() == 10 &&
            std::sscanf(v->String().c_str(), "0x%8" SCNx32 "%n", &bits, &used) == 1 && used == 10) {
            std::memcpy(&target, &bits, sizeof target);
            return;
        }
        Fail("has \"" + std::string(name) + "\" not as a float");
    }
    // Each element of an array member, with its place.
    void Each(std::string_view name,
              const std::function<void(const JsonValue&, const std::string&)>& each) {
        const JsonValue* v = Get(name);
        if (!v) return;
        if (!v->IsArray()) {
            Fail("has \"" + std::string(name) + "\" not as an array");
            return;
        }
        for (size_t i = 0; i < v->Items().size() && ok_; ++i) {
            each(v->Items()[i], place_ + "." + std::string(name) + "[" + std::to_string(i) + "]");
        }
    }

private:
    const JsonValue& value_;
    std::string place_;
    std::string& problem_;
    bool ok_ = true;
};

}  // namespace

std::string AoaToJson(const CAOARootObj& root) {
    JsonWriter out;
    out.BeginObject().Key("entries").BeginArray();
    for (const CAOARootObj::Entry& entry : root.Entries()) {
        out.BeginObject().Key("key").Int(entry.Key).Key("groups").BeginArray();
        for (const CAOAAppGroup& group : entry.Groups) {
            out.BeginObject().Key("name").String(group.Name).Key("applications").BeginArray();
            for (const CAOAApplication& app : group.Applications) {
                out.BeginObject();
                out.Key("phaseMode").Int(app.Mode);
                out.Key("name").String(app.Name);
                out.Key("limitFile").String(app.LimitFile);
                out.Key("description").String(app.Description);
                out.Key("channels").BeginArray();
                for (const CAOAChannelInfo& channel : app.Channels)
                    Channel(out, channel);
                out.EndArray().EndObject();
            }
            out.EndArray().EndObject();
        }
        out.EndArray().EndObject();
    }
    out.EndArray().EndObject();
    return out.Text() + "\n";
}

bool AoaFromJson(std::string_view json, CAOARootObj& root, std::string& problem) {
    std::string parseError;
    const std::optional<JsonValue> document = JsonValue::Parse(json, &parseError);
    if (!document) {
        problem = "not JSON: " + parseError;
        return false;
    }
    CAOARootObj result;
    Fields top(*document, "the definition", problem);
    top.Only({"entries"});
    top.Each("entries", [&](const JsonValue& e, const std::string& place) {
        Fields entry(e, place, problem);
        entry.Only({"key", "groups"});
        uint32_t key = 0;
        entry.Int("key", key);
        for (const CAOARootObj::Entry& known : result.Entries()) {
            if (entry.Ok() && known.Key == key) entry.Fail("repeats key " + std::to_string(key));
        }
        std::vector<CAOAAppGroup>* groups = entry.Ok() ? result.ListFor(key) : nullptr;
        if (entry.Ok() && !groups) entry.Fail("is a fifth entry; a file holds four");
        if (!entry.Ok()) {
            top.Abort();
            return;
        }
        entry.Each("groups", [&](const JsonValue& g, const std::string& place) {
            Fields group(g, place, problem);
            group.Only({"name", "applications"});
            CAOAAppGroup read;
            group.Text("name", read.Name);
            group.Each("applications", [&](const JsonValue& a, const std::string& place) {
                Fields fields(a, place, problem);
                fields.Only({"phaseMode", "name", "limitFile", "description", "channels"});
                CAOAApplication app;
                fields.Int("phaseMode", app.Mode);
                fields.Text("name", app.Name);
                fields.Text("limitFile", app.LimitFile);
                fields.Text("description", app.Description);
                fields.Each("channels", [&](const JsonValue& c, const std::string& place) {
                    Fields channel(c, place, problem);
                    channel.Only({"phase", "quantity", "frequencyMeasurement", "frequencyOrOrder",
                                  "principle", "beginType", "beginValue", "endType", "endValue",
                                  "rounding"});
                    CAOAChannelInfo info;
                    channel.Int("phase", info.Phase);
                    channel.Int("quantity", info.Quantity);
                    channel.Int("frequencyMeasurement", info.FreqMeasurement);
                    channel.Float("frequencyOrOrder", info.FreqOrOrder);
                    channel.Int("principle", info.MeasPrinciple);
                    channel.Int("beginType", info.BeginType);
                    channel.Float("beginValue", info.BeginValue);
                    channel.Int("endType", info.EndType);
                    channel.Float("endValue", info.EndValue);
                    channel.Int("rounding", info.Rounding);
                    if (channel.Ok()) {
                        app.Channels.push_back(info);
                    } else {
                        fields.Abort();
                    }
                });
                if (fields.Ok()) {
                    read.Applications.push_back(std::move(app));
                } else {
                    group.Abort();
                }
            });
            if (group.Ok()) {
                groups->push_back(std::move(read));
            } else {
                entry.Abort();
            }
        });
        if (!entry.Ok()) top.Abort();
    });
    if (!top.Ok()) return false;
    root = std::move(result);
    return true;
}

}  // namespace varelo
