#pragma once

#include <string>
#include <vector>

namespace varelo {

// The failure and substitution texts of one Logger operation and its three counters. Every
// decoder reports into one of these; nothing shows the texts to the user.
struct ProtocolDiagnostics {
    int substitutionCount = 0;       // values replaced by a substitute while decoding
    int transmissionErrorCount = 0;  // commands not transmitted, answers lost on the line
    int dataErrorCount = 0;          // answers too short, wrongly ended or failing their test sum
    std::vector<std::string> texts;  // every text produced, in order

    void Substitution(std::string text) {
        ++substitutionCount;
        texts.push_back(std::move(text));
    }
    void TransmissionError(std::string text) {
        ++transmissionErrorCount;
        texts.push_back(std::move(text));
    }
    void DataError(std::string text) {
        ++dataErrorCount;
        texts.push_back(std::move(text));
    }
    // A text that is recorded without counting.
    void Note(std::string text) { texts.push_back(std::move(text)); }
};

}  // namespace varelo
