#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace varelo {

class CEventRecord;
class CIntervalRecord;
class CStatisticSegment;

// The text dumps of a read-out, for checking what the Logger sent: "<base> Intervall.txt",
// "<base> Statistik.txt" and "<base> Ereignis.txt" beside the measurement file, one line per
// item and an empty line after each record. Write errors are ignored: the dumps never stop a
// read-out.
class ReadOutDump {
public:
    // base: the measurement file's path without its extension.
    explicit ReadOutDump(const std::string& base);

    // The base name of a measurement file's dumps: the path before its last "." (in the file
    // name), or the whole path when there is none or nothing before it.
    static std::string BaseName(const std::string& path);

    // number is the 1-based read number.
    void Interval(int number, const CIntervalRecord& record, bool functionA);
    void Statistic(int number, const CStatisticSegment& segment);
    void Event(int number, const CEventRecord& event);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const {
            if (f) std::fclose(f);
        }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    File intervals_;
    File statistics_;
    File events_;
};

}  // namespace varelo
