#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/Language.h"
#include "app/ProductVersion.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "platform/Paths.h"

namespace varelo {
namespace {

std::vector<std::span<const Command>> CommandGroups() {
    std::vector<std::span<const Command>> groups = {
        MeasurementCommands(), EvaluateCommands(), ReferenceCommands(), TimeplotCommands(),
        PrintCommands(),       LoggerCommands(),   JobCommands(),       LimitCommands(),
        ReportCommands(),      ListCommands()};
    groups.push_back(ExportFileCommands());
    groups.push_back(ExportDatabaseCommands());
    groups.push_back(DerivedFileCommands());
    groups.push_back(LoggerOnlineCommands());
    groups.push_back(LoggerResetCommands());
    groups.push_back(AoaCommands());
    return groups;
}

void PrintHelp() {
    std::printf("%s command line %s\n\nUsage: varelo-cli COMMAND [OPTIONS]\n\n", Str(174).c_str(),
                kProductVersion);
    for (auto group : CommandGroups()) {
        for (const Command& c : group) {
            std::printf("  %-60s %s\n", std::string(c.usage).c_str(),
                        std::string(c.summary).c_str());
        }
    }
    std::printf(
        "\n  --help       this text\n  --version    the program's version\n"
        "  --language GER|ENG|FRA|ITL|SPA|PTG|CHN\n"
        "               messages and exports in that language (else the desktop program's)\n\n"
        "Port COMn is the device in $VARELO_COMn, else the setting DeviceCOMn,\n"
        "else /dev/ttyS<n-1>. Messages go to stderr with their number.\n");
}

// "--language CODE" anywhere on the line, taken out of the words: the language's code, empty
// without the option, "?" when the option lacks its code.
std::string TakeLanguageOption(std::vector<std::string_view>& words) {
    auto it = std::find(words.begin(), words.end(), "--language");
    if (it == words.end()) return {};
    if (it + 1 == words.end()) {
        words.erase(it);
        return "?";
    }
    std::string code(*(it + 1));
    words.erase(it, it + 2);
    return code;
}

// The language of messages and exports: the option's, else the one stored for the desktop
// program. Nothing is stored.
bool LoadCliLanguage(const std::string& code, CliContext& context) {
    const Language* language =
        code.empty() ? FindLanguage(context.AppSettings().ReadInt(setting::DialogLanguage))
                     : FindLanguage(code);
    if (!language) {
        if (code.empty()) return true;  // nothing stored: English
        std::fprintf(stderr, "varelo-cli: --language takes one of");
        for (const Language& l : Languages())
            std::fprintf(stderr, " %s", l.code);
        std::fprintf(stderr, "\n");
        return false;
    }
    if (language->id != kEnglish) LoadLanguageModule(*language, DataFolder(), context.Ui());
    return true;
}

// The command whose words begin the command line; the number of words it took.
const Command* FindCommand(const std::vector<std::string_view>& words, size_t& taken) {
    for (auto group : CommandGroups()) {
        for (const Command& c : group) {
            std::string_view rest = c.words;
            size_t i = 0;
            while (!rest.empty() && i < words.size()) {
                size_t space = rest.find(' ');
                if (words[i] != rest.substr(0, space)) break;
                ++i;
                rest =
                    space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
            }
            if (rest.empty()) {
                taken = i;
                return &c;
            }
        }
    }
    return nullptr;
}

int Run(std::vector<std::string_view> words) {
    const std::string language = TakeLanguageOption(words);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        PrintHelp();
        return words.empty() ? kExitUsage : kExitOk;
    }
    if (words[0] == "--version") {
        std::printf("varelo-cli %s\n", kProductVersion);
        return kExitOk;
    }
    size_t taken = 0;
    const Command* command = FindCommand(words, taken);
    if (!command) {
        std::fprintf(stderr, "varelo-cli: unknown command; see varelo-cli --help\n");
        return kExitUsage;
    }
    Arguments args({words.begin() + long(taken), words.end()});
    CliContext context;
    if (!LoadCliLanguage(language, context)) return kExitUsage;
    int status = command->run(context, args);
    if (std::string problems = args.Problems(); !problems.empty()) {
        std::fprintf(stderr, "varelo-cli: %susage: varelo-cli %s\n", problems.c_str(),
                     std::string(command->usage).c_str());
        return kExitUsage;
    }
    return status;
}

}  // namespace
}  // namespace varelo

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // results and messages stay in order on a terminal
    std::vector<std::string_view> words(argv + 1, argv + argc);
    return varelo::Run(words);
}
