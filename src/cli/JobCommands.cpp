// The job commands: a new job by the editor's opening rules, a job file shown and checked as
// the editor's pages would, the job templates, and a job written to or read from the Logger.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "cli/Arguments.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "job/JobCheck.h"
#include "job/JobEditor.h"
#include "job/JobFile.h"
#include "job/JobSummary.h"
#include "job/JobTemplatesForm.h"
#include "job/LoggerJobAccess.h"
#include "logger/LoggerOperations.h"
#include "logger/LoggerProtocol.h"
#include "logger/SoftwareInformation.h"
#include "measurement/MeasurementFileReader.h"
#include "platform/JsonWriter.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

std::optional<uint32_t> FunctionOf(const std::optional<std::string>& letter) {
    if (letter == "A" || letter == "a") return kMeasFuncA;
    if (letter == "P" || letter == "p") return kMeasFuncP;
    return std::nullopt;
}

CTimeStamp PcNow() {
    return CTimeStamp::FromCalendarTime(std::time(nullptr));
}

JobEditorContext EditorContext(CliContext& context) {
    return {context.AppSettings(), context.Ui(), DataFolder(), FirmwareFolder(), UserDataFolder()};
}

CLoggerOperations::Configure PortOf(std::optional<int> port) {
    return [port](CLoggerProtocol& protocol) {
        if (port) protocol.UsePort(*port);
    };
}

std::optional<CMeasurementJob> ReadJob(const std::string& path, const char* command) {
    CMeasurementJob job;
    if (CheckFile(path) && ReadJobFile(path, job)) return job;
    std::fprintf(stderr, "%s: %s is not a readable job file\n", command, path.c_str());
    return std::nullopt;
}

void PrintSummary(const CMeasurementJob& job, bool json) {
    const std::vector<JobSummaryLine> lines = JobSummary(job);
    if (json) {
        JsonWriter out;
        out.BeginArray();
        for (const JobSummaryLine& line : lines) {
            out.BeginObject();
            out.Key("label").String(line.label);
            out.Key("value").String(line.value);
            out.Key("neutral").String(line.neutralValue);
            out.Key("indented").Bool(line.indented);
            out.EndObject();
        }
        out.EndArray();
        std::printf("%s\n", out.Text().c_str());
        return;
    }
    for (const JobSummaryLine& line : lines) {
        std::string text = (line.indented ? "  " : "") + line.label;
        if (!line.value.empty()) text += (line.label.empty() ? "" : "  ") + line.value;
        if (!line.neutralValue.empty()) text += "  |  " + line.neutralValue;
        std::printf("%s\n", text.c_str());
    }
}

int New(CliContext& context, Arguments& args) {
    const std::optional<uint32_t> function = FunctionOf(args.Value("function"));
    const bool useLogger = args.Flag("logger");
    const std::optional<int> port = args.Int("port", 1, 9);
    const std::optional<std::string> output = args.Value("output");
    if (!args.Problems().empty()) return kExitUsage;
    if (!function || !output) {
        std::fprintf(stderr, "job new: give --function A|P and --output FILE\n");
        return kExitUsage;
    }
    CLoggerOperations operations(context.Port(), context.AppSettings(), PortOf(port));
    LoggerJobAccess access(operations);
    std::optional<JobEditor> editor =
        JobEditor::Open(*function, useLogger ? &access : nullptr, EditorContext(context), PcNow());
    if (!editor) return kExitFailed;
    if (SaveJobFile(editor->Job(), *output, context.Ui()) != JobSaveResult::Saved)
        return kExitFailed;
    std::printf("%s\n", output->c_str());
    return kExitOk;
}

int Show(CliContext&, Arguments& args) {
    const bool json = args.Flag("json");
    const std::vector<std::string> words = args.Positionals();
    if (!args.Problems().empty()) return kExitUsage;
    if (words.size() != 1) {
        std::fprintf(stderr, "job show: give one job file\n");
        return kExitUsage;
    }
    const std::optional<CMeasurementJob> job = ReadJob(words.front(), "job show");
    if (!job) return kExitFailed;
    PrintSummary(*job, json);
    return kExitOk;
}

int Check(CliContext& context, Arguments& args) {
    const std::vector<std::string> words = args.Positionals();
    if (!args.Problems().empty()) return kExitUsage;
    if (words.size() != 1) {
        std::fprintf(stderr, "job check: give one job file\n");
        return kExitUsage;
    }
    const std::optional<CMeasurementJob> job = ReadJob(words.front(), "job check");
    if (!job) return kExitFailed;
    std::optional<JobEditor> editor =
        JobEditor::Open(job->MeasFunc, nullptr, EditorContext(context), PcNow());
    if (!editor || !editor->LoadJobFile(words.front())) return kExitFailed;
    const PageCheck check = CheckJobPages(*editor);
    if (check.message != 0) {
        std::printf("warning %d: %s\n", check.message, check.text.c_str());
        return kExitFailed;
    }
    if (check.beep) {
        std::printf("warning: a page refuses the job\n");
        return kExitFailed;
    }
    std::printf("ok\n");
    return kExitOk;
}

int Templates(CliContext& context, Arguments& args) {
    const std::vector<std::string> set = args.Values("set");
    const std::optional<uint32_t> clear = FunctionOf(args.Value("clear"));
    if (!args.Problems().empty()) return kExitUsage;
    JobTemplatesForm form(context.AppSettings());
    if (!set.empty()) {
        const std::vector<std::string> words = args.Positionals();
        const std::optional<uint32_t> function = FunctionOf(set.front());
        if (!function || words.size() != 1) {
            std::fprintf(stderr, "job templates: --set A|P PATH\n");
            return kExitUsage;
        }
        const size_t row =
            *function == kMeasFuncP ? JobTemplatesForm::kRowP : JobTemplatesForm::kRowA;
        const std::string path = std::filesystem::absolute(words.front()).string();
        form.ClickSelect(row, [&](uint32_t, const std::string&) { return path; });
    }
    if (clear) {
        const size_t row = *clear == kMeasFuncP ? JobTemplatesForm::kRowP : JobTemplatesForm::kRowA;
        if (!form.RowAt(row).initialValues) form.ClickInitialValues(row, {});
    }
    if (!set.empty() || clear) form.Store();
    for (size_t row : {JobTemplatesForm::kRowP, JobTemplatesForm::kRowA}) {
        const JobTemplatesForm::Row& r = form.RowAt(row);
        std::printf("%s  %s\n", JobFileNamesOf(r.function).letter.c_str(),
                    r.initialValues ? "(initial values)" : r.path.c_str());
    }
    return kExitOk;
}

int WriteJob(CliContext& context, Arguments& args) {
    const std::optional<int> port = args.Int("port", 1, 9);
    const bool yes = args.Flag("yes");
    const std::vector<std::string> words = args.Positionals();
    if (!args.Problems().empty()) return kExitUsage;
    if (words.size() != 1) {
        std::fprintf(stderr, "logger write-job: give one job file\n");
        return kExitUsage;
    }
    const std::optional<CMeasurementJob> job = ReadJob(words.front(), "logger write-job");
    if (!job) return kExitFailed;
    context.Ui().SetAnswerYes(yes);
    CLoggerOperations operations(context.Port(), context.AppSettings(), PortOf(port));
    const JobEditorState state{job->InstrHardwNr == 400, job->ClampId};
    return operations.WriteJobToLogger(*job, state) == OperationResult::Done ? kExitOk
                                                                             : kExitFailed;
}

int ReadJobFromLogger(CliContext& context, Arguments& args) {
    const bool old = args.Flag("old");
    const bool force = args.Flag("force");
    const std::optional<int> port = args.Int("port", 1, 9);
    const std::optional<std::string> output = args.Value("output");
    if (!args.Problems().empty()) return kExitUsage;
    if (!output || output->empty()) {
        std::fprintf(stderr, "logger read-job: --output FILE is required\n");
        return kExitUsage;
    }
    std::error_code error;
    if (!force && std::filesystem::exists(*output, error)) {
        std::fprintf(stderr, "logger read-job: %s exists; --force overwrites it\n",
                     output->c_str());
        return kExitFailed;
    }
    CLoggerOperations operations(context.Port(), context.AppSettings(), PortOf(port));
    CMeasurementJob job;
    CLoggerInfo info;
    int refused = 0;
    const OperationResult result = operations.ReadJobForEditor(
        old,
        [&](const CLoggerInfo& identity) {
            refused = JobEditor::LoggerJobRefusal(identity, old);
            return refused;
        },
        job, info);
    if (refused != 0) {
        context.Ui().ShowMessage(refused, Str(refused),
                                 refused == 1011 ? MessageIcon::Warning : MessageIcon::None);
        return kExitFailed;
    }
    if (result != OperationResult::Done) return kExitFailed;
    if (SaveJobFile(job, *output, context.Ui()) != JobSaveResult::Saved) return kExitFailed;
    std::printf("%s\n", output->c_str());
    return kExitOk;
}

constexpr Command kCommands[] = {
    {"job new", "job new --function A|P [--logger] [--port N] --output FILE",
     "a new job as the job editor starts it (offline without --logger)", New},
    {"job show", "job show FILE [--json]", "the job summary of a job file", Show},
    {"job check", "job check FILE", "check a job file as the job editor's pages do", Check},
    {"job templates", "job templates [--set A|P PATH] [--clear A|P]",
     "show or set the job templates of both functions", Templates},
    {"logger write-job", "logger write-job FILE.aua|FILE.AUP [--port N] [--yes]",
     "write a job file to the Logger (asks first: --yes answers yes)", WriteJob},
    {"logger read-job", "logger read-job [--old] --output FILE [--force] [--port N]",
     "read the Logger's current (or old) job into a job file", ReadJobFromLogger},
};

}  // namespace

std::span<const Command> JobCommands() {
    return kCommands;
}

}  // namespace varelo
