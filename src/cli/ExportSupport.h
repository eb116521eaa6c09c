#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/Vamor800Doc.h"
#include "export/ExportFile.h"

namespace varelo {

class Arguments;
class CliContext;
class JsonWriter;

// What every export command reads before its own options: the file, the output and --force.
struct ExportCommon {
    std::string file;
    std::string output;
    bool force = false;
    bool json = false;
};

void ReadExportCommon(Arguments& args, ExportCommon& c);
// After every option was read: what is left is the measurement file.
void ReadExportFile(Arguments& args, ExportCommon& c);
// An existing output is replaced only when asked to.
bool MayWriteExport(const ExportCommon& c);
// The exit status; with --json what was written, and what the export adds to it.
int ReportExport(const ExportCommon& c, const ExportResult& result,
                 const std::function<void(JsonWriter&)>& more = {});
std::optional<CVamor800Doc> OpenForExport(CliContext& context, const std::string& file);
// Once the command's own options are read: the measurement file, the output check and the
// document, whose command rules must allow the export. None with the exit status in status.
std::optional<CVamor800Doc> OpenExportDocument(CliContext& context, Arguments& args,
                                               ExportCommon& c, int command, const char* what,
                                               int& status);
// Whether the document's command rules allow the export; says why not.
bool ExportEnabled(const CVamor800Doc& doc, int command, const char* what);

}  // namespace varelo
