#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/StringTable.h"
#include "cli/AoaJson.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "platform/OsError.h"
#include "timeplot/AoaDefinition/AOARootObj.h"
#include "timeplot/AoaDefinition/AoaFiles.h"

namespace varelo {

namespace {

std::string FunctionName(uint32_t key) {
    return key == 10 ? "A" : key == 3 ? "P" : "key " + std::to_string(key);
}

std::string PhaseModeName(uint8_t mode) {
    static constexpr int kNames[] = {1065, 1094, 195};
    return mode < 3 ? Str(kNames[mode]) : "mode " + std::to_string(mode);
}

std::string ScalingName(uint8_t type) {
    static constexpr int kNames[] = {1188, 1187, 1189, 1190, 1191, 1192};
    return type >= 1 && type <= 6 ? Str(kNames[type - 1]) : "type " + std::to_string(type);
}

void PrintChannel(const CAOAChannelInfo& c) {
    std::printf("      quantity %d", c.Quantity);
    if (c.Phase != 0) std::printf(", phase L%d", c.Phase);
    if (c.Quantity == 400) {
        static constexpr int kPrinciples[] = {1111, 1112, 1107, 1109};
        std::printf(", %s %g, %s", Str(c.FreqMeasurement == 0 ? 192 : 1174).c_str(),
                    double(c.FreqOrOrder),
                    c.MeasPrinciple < 4 ? Str(kPrinciples[c.MeasPrinciple]).c_str() : "?");
    }
    std::printf(": %s %g .. %s %g%s\n", ScalingName(c.BeginType).c_str(), double(c.BeginValue),
                ScalingName(c.EndType).c_str(), double(c.EndValue), c.Rounding ? ", rounded" : "");
}

void PrintText(const std::string& file, const CAOARootObj& root) {
    std::printf("Application oriented analysis definition file %s\n", file.c_str());
    for (const CAOARootObj::Entry& entry : root.Entries()) {
        std::printf("Function %s\n", FunctionName(entry.Key).c_str());
        for (const CAOAAppGroup& group : entry.Groups) {
            std::printf("  Group \"%s\"\n", group.Name.c_str());
            for (const CAOAApplication& app : group.Applications) {
                std::printf("    Application \"%s\" (%s)", app.Name.c_str(),
                            PhaseModeName(app.Mode).c_str());
                if (!app.LimitFile.empty()) std::printf(", limit file %s", app.LimitFile.c_str());
                std::printf("\n");
                if (!app.Description.empty()) std::printf("      %s\n", app.Description.c_str());
                for (const CAOAChannelInfo& channel : app.Channels)
                    PrintChannel(channel);
            }
        }
    }
}

int Show(CliContext& context, Arguments& args) {
    const bool json = args.Flag("json");
    const auto files = args.Positionals();
    if (files.size() != 1) {
        args.Fail("name one definition file");
        return kExitUsage;
    }
    CAOARootObj root;
    const AoaReadError error = LoadAoaDefinition(files[0], 0, root, context.Ui());
    if (error == AoaReadError::NotFound) {
        std::fprintf(stderr, "varelo-cli: cannot open %s\n", files[0].c_str());
        return kExitFailed;
    }
    if (error != AoaReadError::None) return kExitFailed;
    if (json) {
        std::fputs(AoaToJson(root).c_str(), stdout);
    } else {
        PrintText(files[0], root);
    }
    return kExitOk;
}

int Write(CliContext&, Arguments& args) {
    const auto output = args.Value("output");
    const auto files = args.Positionals();
    if (files.size() != 1 || !output) {
        args.Fail("name one JSON definition and --output");
        return kExitUsage;
    }
    std::ifstream in(files[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "varelo-cli: cannot open %s\n", files[0].c_str());
        return kExitFailed;
    }
    const std::string json{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CAOARootObj root;
    std::string problem;
    if (!AoaFromJson(json, root, problem)) {
        std::fprintf(stderr, "varelo-cli: %s: %s\n", files[0].c_str(), problem.c_str());
        return kExitFailed;
    }
    OsError error;
    if (!root.Write(*output, &error)) {
        std::fprintf(stderr, "varelo-cli: cannot write %s: %s\n", output->c_str(),
                     error.text.c_str());
        return kExitFailed;
    }
    std::printf("Definition file written: %s\n", output->c_str());
    return kExitOk;
}

const Command kCommands[] = {
    {"aoa show", "aoa show FILE.aoa [--json]",
     "the application-oriented analysis definitions of a file", Show},
    {"aoa write", "aoa write DEF.json --output FILE.aoa",
     "a definition file from the JSON that aoa show --json prints", Write},
};

}  // namespace

std::span<const Command> AoaCommands() {
    return kCommands;
}

}  // namespace varelo
