#include "logger/ReadOutDump.h"

#include <gtest/gtest.h>

namespace varelo {
namespace {

TEST(ReadOutDumpTest, BaseNameDropsTheExtensionOfTheFileNameOnly) {
    const struct {
        const char* path;
        const char* base;
    } cases[] = {
        {"/data/m1.VXM", "/data/m1"},
        {"/data/m1.old.VXM", "/data/m1.old"},
        {"/data/run.2/m1", "/data/run.2/m1"},  // a dot in a folder is no extension
        {"m1", "m1"},
        {".VXM", ".VXM"},  // nothing would remain
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadOutDump::BaseName(c.path), c.base) << c.path;
}

}  // namespace
}  // namespace varelo
