#include "cli/ExportSupport.h"

#include <sys/stat.h>

#include <cstdio>

#include "app/AppOptions.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "platform/JsonWriter.h"

namespace varelo {

void ReadExportCommon(Arguments& args, ExportCommon& c) {
    c.json = args.Flag("json");
    c.force = args.Flag("force");
    if (auto output = args.Value("output"))
        c.output = *output;
    else
        args.Fail("name the output file with --output");
}

void ReadExportFile(Arguments& args, ExportCommon& c) {
    auto files = args.Positionals();
    if (files.size() != 1)
        args.Fail("name one measurement file");
    else
        c.file = files[0];
}

bool MayWriteExport(const ExportCommon& c) {
    struct stat info {};
    if (c.force || ::stat(c.output.c_str(), &info) != 0) return true;
    std::fprintf(stderr, "varelo-cli: %s exists; --force replaces it\n", c.output.c_str());
    return false;
}

int ReportExport(const ExportCommon& c, const ExportResult& result,
                 const std::function<void(JsonWriter&)>& more) {
    if (!result.written) return kExitFailed;
    if (c.json) {
        JsonWriter j;
        j.BeginObject()
            .Key("file")
            .String(c.output)
            .Key("rows")
            .Int(static_cast<long long>(result.rows))
            .Key("channels")
            .Int(static_cast<long long>(result.channels));
        if (more) more(j);
        j.EndObject();
        std::printf("%s\n", j.Text().c_str());
    }
    return kExitOk;
}

std::optional<CVamor800Doc> OpenForExport(CliContext& context, const std::string& file) {
    std::optional<CVamor800Doc> doc;
    doc.emplace(context.AppSettings(), context.Ui(), AppOptions::Instance());
    if (!doc->OpenFile(file)) doc.reset();
    return doc;
}

bool ExportEnabled(const CVamor800Doc& doc, int command, const char* what) {
    if (doc.IsCommandEnabled(command)) return true;
    std::fprintf(stderr, "varelo-cli: this measurement has no %s to export\n", what);
    return false;
}

std::optional<CVamor800Doc> OpenExportDocument(CliContext& context, Arguments& args,
                                               ExportCommon& c, int command, const char* what,
                                               int& status) {
    ReadExportFile(args, c);
    status = kExitUsage;
    if (!args.Problems().empty()) return std::nullopt;
    status = kExitFailed;
    if (!MayWriteExport(c)) return std::nullopt;
    auto doc = OpenForExport(context, c.file);
    if (!doc || !ExportEnabled(*doc, command, what)) return std::nullopt;
    status = kExitOk;
    return doc;
}

}  // namespace varelo
