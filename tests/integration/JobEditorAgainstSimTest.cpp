#include <gtest/gtest.h>

#include "ProtocolSimFixture.h"
#include "job/JobEditor.h"
#include "job/LoggerJobAccess.h"
#include "logger/LoggerOperations.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

class JobEditorAgainstSimTest : public ProtocolSimFixture {
protected:
    JobEditor Offline() {
        JobEditorContext context{settings, ui, dir.Path(), dir.Path(), dir.Path()};
        return *JobEditor::OpenWith(kMeasFuncA, nullptr, context, CTimeStamp(2024, 5, 6, 7, 8, 9));
    }
    CLoggerOperations operations{port, settings};
    LoggerJobAccess access{operations};
};

TEST_F(JobEditorAgainstSimTest, OpenOldReadsTheOldJobOnlyWhenTheLoggerKeepsOne) {
    struct Case {
        char state;
        bool hasOld;
        bool old;
        int message;
        uint32_t function;  // of the job read
    };
    const Case cases[] = {
        {'V', false, true, 1098, 0},
        {'K', false, false, 962, 0},
        {'F', true, true, 0, kMeasFuncP},  // the old job is the P job
        {'F', true, false, 0, kMeasFuncA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.state) + (c.old ? " old" : " current"));
        ui = {};
        sim::Scenario scenario;
        scenario.jobs[0].report.state = c.state;
        scenario.jobs[0].function = 'A';
        scenario.jobs[1].function = 'P';
        scenario.hasOldJob = c.hasOld;
        port.Close();
        StartSim(scenario);
        JobEditor editor = Offline();
        const JobEditor::OpenResult result = editor.OpenFromLogger(c.old, access);
        EXPECT_EQ(ui.MessageIds(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
        EXPECT_EQ(result,
                  c.message ? JobEditor::OpenResult::Refused : JobEditor::OpenResult::Opened);
        if (c.message == 0) {
            EXPECT_EQ(editor.Job().MeasFunc, c.function);
        }
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

}  // namespace
}  // namespace varelo
