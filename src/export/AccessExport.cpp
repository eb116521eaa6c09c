#include "export/AccessExport.h"

#include <cstdio>

#include "app/FileErrorMessage.h"
#include "app/Settings.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementChannel.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace varelo {
namespace {

const SettingKey* ConfigFileKey(char letter) {
    if (letter == 'A') return &setting::MdbConfigFileA;
    if (letter == 'P') return &setting::MdbConfigFileP;
    return nullptr;
}

std::string DateText(const CTimeStamp& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

DatabaseColumn ColumnOf(const AccessColumnSpec& spec) {
    return {spec.name, spec.type, spec.fill != ColumnFill::kNull};
}

// One column's source of values.
struct ColumnSource {
    const AccessColumnSpec* spec;
    CMeasurementChannel channel;
};

void BindColumn(Database& db, int index, ColumnSource& source, const CIntervalRecord& record,
                const CRawScaling& scaling) {
    const AccessColumnSpec& spec = *source.spec;
    if (spec.type == FieldType::kDate) return db.BindText(index, DateText(record.DateTime));
    if (spec.fill == ColumnFill::kNull) return db.BindNull(index);
    double value =
        spec.fill == ColumnFill::kZero ? 0 : source.channel.ChannelValue(record, scaling);
    db.BindReal(index, spec.type == FieldType::kSingle ? double(float(value)) : value);
}

bool WriteTable(Database& db, const AccessTableSpec& table, const CVamor800Doc& doc) {
    std::vector<DatabaseColumn> columns;
    std::vector<ColumnSource> sources;
    for (const AccessColumnSpec& spec : table.columns) {
        columns.push_back(ColumnOf(spec));
        ColumnSource source{&spec, {}};
        if (spec.fill == ColumnFill::kValue && spec.channelId > 0) {
            source.channel.SetupChannel(spec.channelId);
            source.channel.plt = doc.Plt();
        }
        sources.push_back(std::move(source));
    }
    if (!db.CreateTable(table.name, columns) || !db.PrepareInsert(table.name, columns.size()))
        return false;
    const CIntervalList& intervals = doc.Data().intervals;
    for (size_t r = 0; r < intervals.size(); ++r) {
        for (size_t c = 0; c < sources.size(); ++c)
            BindColumn(db, int(c), sources[c], intervals[r], intervals.Scaling());
        if (!db.InsertRow()) return false;
    }
    return true;
}

bool WriteHeaderTable(Database& db, const HeaderTableConfiguration& header,
                      const HeaderTableValues& values) {
    std::vector<DatabaseColumn> columns;
    for (int i = 0; i < HeaderTableConfiguration::kColumns; ++i) {
        FieldType type = i < 7    ? FieldType::kText80
                          : i == 7 ? FieldType::kLong
                          : i == 8 ? FieldType::kSingle
                                   : FieldType::kDate;
        columns.push_back({header.columns[size_t(i)], type, true});
    }
    if (!db.CreateTable(header.name, columns) || !db.PrepareInsert(header.name, columns.size()))
        return false;
    for (int i = 0; i < HeaderTableConfiguration::kTexts; ++i)
        db.BindText(i, values.texts[size_t(i)]);
    db.BindText(6, values.averagingInterval);
    db.BindInteger(7, values.numberOfIntervals);
    db.BindReal(8, double(float(values.nominalVoltage)));
    for (int i = 0; i < 4; ++i)
        db.BindText(9 + i, DateText(values.times[size_t(i)]));
    return db.InsertRow();
}

bool WriteContents(Database& db, const AccessExportPlan& plan, const CVamor800Doc& doc) {
    if (!db.Begin()) return false;
    for (const AccessTableSpec& table : plan.configuration.tables)
        if (!WriteTable(db, table, doc)) return false;
    if (plan.withHeader && !WriteHeaderTable(db, plan.header, plan.headerValues)) return false;
    return db.Commit();
}

}  // namespace

std::string AveragingIntervalText(int seconds) {
    if (seconds < 60) return std::to_string(seconds) + " s";
    return std::to_string(seconds / 60) + " min";
}

CTimeStamp ClampHeaderTime(const CTimeStamp& time) {
    const CTimeStamp first(1980, 1, 1, 0, 0, 0);
    const CTimeStamp last(2037, 12, 31, 0, 0, 0);
    if (time < first) return first;
    if (time > last) return last;
    return time;
}

HeaderTableValues DefaultHeaderValues(const CVamor800Doc& doc) {
    const CMeasurementJob& job = doc.Data().job;
    HeaderTableValues values;
    for (int i = 0; i < HeaderTableConfiguration::kTexts; ++i)
        values.texts[size_t(i)] = job.JobText[size_t(i)];
    values.averagingInterval = AveragingIntervalText(job.Interval);
    values.numberOfIntervals = static_cast<long long>(doc.Data().intervals.size());
    values.nominalVoltage = job.NomVoltRawVal * 0.01;
    bool timed = job.JobType == 0;
    values.times = {timed ? job.ProgStartMeas : job.MeasStartMeasured,
                    timed ? job.ProgStopMeas : job.MeasStopMeasured, job.MeasStartMeasured,
                    job.MeasStopMeasured};
    for (CTimeStamp& t : values.times)
        t = ClampHeaderTime(t);
    return values;
}

void DefaultHeaderNames(HeaderTableConfiguration& header, const CMeasurementJob& job) {
    for (int i = 0; i < HeaderTableConfiguration::kTexts; ++i)
        if (!header.fixedText[size_t(i)]) header.columns[size_t(i)] = job.JobTitle[size_t(i)];
}

std::string InitialAccessConfigFile(Settings& settings, char letter) {
    const SettingKey* key = ConfigFileKey(letter);
    std::string stored = key ? settings.ReadString(*key) : std::string();
    if (!stored.empty() && FileIsReadable(stored)) return stored;
    std::string shipped =
        DataFolder() + "/Access-template-" + std::string(letter ? 1 : 0, letter) + ".ini";
    return FileIsReadable(shipped) ? shipped : std::string();
}

void StoreAccessSettings(Settings& settings, char letter, const std::string& configFile,
                         bool headerTable) {
    if (const SettingKey* key = ConfigFileKey(letter)) settings.Write(*key, configFile);
    settings.Write(setting::MdbAddHeaderTable, headerTable ? 1 : 0);
}

bool PrepareAccessExport(const CVamor800Doc& doc, const std::string& configFile, bool withHeader,
                         UserInterface& ui, AccessExportPlan& plan) {
    plan = AccessExportPlan();
    AvailabilityContext context = doc.Availability();
    auto held = [&context](int channelId) {
        CMeasurementChannel channel;
        return channel.SetupChannel(channelId) && channel.IsAvailable(context);
    };
    if (!ReadAccessConfiguration(configFile, held, ui, plan.configuration)) return false;
    plan.withHeader = withHeader;
    if (!withHeader) return true;
    if (!ReadHeaderTableConfiguration(configFile, ui, plan.header)) return false;
    DefaultHeaderNames(plan.header, doc.Data().job);
    plan.headerValues = DefaultHeaderValues(doc);
    return true;
}

bool WriteAccessDatabase(const std::string& path, const AccessExportPlan& plan,
                         const CVamor800Doc& doc, UserInterface& ui) {
    AtomicFile file(path);
    if (OsError error = file.Open(); error.Failed()) {
        ui.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, path),
                       MessageIcon::Warning);
        return false;
    }
    Database db;
    bool written = db.Open(file.TempPath()) && WriteContents(db, plan, doc);
    written = db.Close() && written;
    if (!written) {
        ui.ShowMessage(0, db.ErrorText(), MessageIcon::Warning);
        return false;
    }
    if (OsError error = file.Commit(); error.Failed()) {
        ui.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, path),
                       MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace varelo
