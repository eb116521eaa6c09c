// The limit value file reader and writer under libFuzzer. The first byte chooses the way in:
// - even: the rest is a limit value file. When it reads, its limits written and read back
//   give the same text (unless it holds the block's closing tag, which the writer leaves out
//   with what follows), and written again the same file: what the writer writes, the reader
//   reads back, however odd the file it came from;
// - odd: the rest makes up a set of limits, which is written and read back. Every value must
//   come back, and the text as far as the reader keeps it (its first 360 characters, before
//   an end tag): a long text must never shift the values after it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "evaluation/LimitValueFile.h"
#include "evaluation/LimitValues.h"
#include "platform/CodePage.h"

namespace {

using namespace varelo;

constexpr size_t kMaxTextCharacters = 360;
constexpr std::string_view kItemEnd = "</t>";
constexpr std::string_view kBlockEnd = "</KelvaroLimitValues>";

bool HasEndTag(std::string_view text) {
    return text.find(kItemEnd) != std::string_view::npos ||
           text.find(kBlockEnd) != std::string_view::npos;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Writes the limits and reads them back; the file's text goes to file.
CLimitValues WriteAndRead(const CLimitValues& limits, std::string& file) {
    const std::string path = fuzz::ScratchFolder() + "/limits.gwd";
    fuzz::Require(WriteLimitFile(path, limits), "a limit file cannot be written");
    CLimitValues read;
    fuzz::Require(ReadLimitFile(path, read), "a written limit file does not read");
    file = ReadAll(path);
    return read;
}

void FileRoundTrip(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputPath(data, size);
    CLimitValues first;
    if (path.empty() || !ReadLimitFile(path, first)) return;
    std::string written, rewritten;
    const CLimitValues second = WriteAndRead(first, written);
    fuzz::Require(first.Text.starts_with(second.Text),
                  "a text read from a file reads back as another");
    fuzz::Require(HasEndTag(first.Text) || second.Text == first.Text,
                  "a text read from a file does not read back whole");
    WriteAndRead(second, rewritten);
    fuzz::Require(written == rewritten, "limits read back from a written file write differently");
}

// Values whose "%g" text reads back exactly: at most six significant digits.
float Limit(FuzzedDataProvider& in) {
    return float(in.ConsumeIntegralInRange<uint32_t>(0, 999999) / 100.0);
}

size_t Characters(std::string_view utf8) {
    size_t n = 0;
    for (std::string_view rest = utf8; !rest.empty();
         rest.remove_prefix(Utf8Prefix(rest, 1).size()))
        ++n;
    return n;
}

void LimitsRoundTrip(FuzzedDataProvider& in) {
    CLimitValues limits;
    std::string text = in.ConsumeRandomLengthString(3000);
    // Line breaks become CR LF in the file; the file round trip covers them.
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    limits.Text = text;
    for (int16_t* field :
         {&limits.PowSysNomFreq, &limits.PowSysNomVolt, &limits.InterruptionLimit, &limits.NrEvents,
          &limits.FminusTol95, &limits.FplusTol95, &limits.FminusTol100, &limits.FplusTol100,
          &limits.Histogram, &limits.MeasInterval, &limits.FreqInterval, &limits.SignalInterval})
        *field = in.ConsumeIntegral<int16_t>();
    for (float* field :
         {&limits.NminusTol95, &limits.NplusTol95, &limits.NminusTol100, &limits.NplusTol100,
          &limits.FlickPst, &limits.FlickPlt, &limits.VoltUnbal, &limits.THD, &limits.CurrTHD,
          &limits.RatedCurrent, &limits.RatedPower, &limits.ShortCircuitPower})
        *field = Limit(in);
    for (auto* array : {&limits.Harm, &limits.SignallingVolt}) {
        for (float& v : *array)
            v = Limit(in);
    }
    for (auto* array : {&limits.CurrHarm, &limits.ParameterN}) {
        for (float& v : *array)
            v = Limit(in);
    }

    std::string file;
    CLimitValues read = WriteAndRead(limits, file);
    fuzz::Require(text.starts_with(read.Text), "a written text reads back as another");
    const bool keptWhole = Characters(text) <= kMaxTextCharacters && !HasEndTag(text);
    fuzz::Require(!keptWhole || read.Text == text, "a short text does not read back whole");
    fuzz::Require(Characters(read.Text) <= kMaxTextCharacters, "more text read than is kept");
    read.Text = limits.Text;
    fuzz::Require(read == limits, "a written value reads back as another");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if ((data[0] & 1) == 0) {
        FileRoundTrip(data + 1, size - 1);
    } else {
        FuzzedDataProvider in(data + 1, size - 1);
        LimitsRoundTrip(in);
    }
    return 0;
}
