#include "sim/FaultInjector.h"

#include "sim/ByteText.h"
#include "sim/ConnectionCommands.h"

namespace varelo::sim {

namespace {

void AddNote(std::string& notes, const std::string& note) {
    if (note.empty()) return;
    if (!notes.empty()) notes += "; ";
    notes += note;
}

}  // namespace

void FaultInjector::SetSettings(FaultSettings settings) {
    settings_ = std::move(settings);
    commands_ = 0;
    wakeUps_ = 0;
    longAnswers_ = 0;
    transmissions_.fill(0);
}

bool FaultInjector::CountCommandAndCheckSilent() {
    ++commands_;
    return settings_.silentAfter && commands_ > *settings_.silentAfter;
}

FaultInjector::Transmission FaultInjector::Transmit(uint8_t command, const Reply& reply) {
    Transmission out;
    AddNote(out.note, reply.note);
    // Noise is a line effect of the wake-up, independent of what happens to the answer.
    if (command == kWakeUp && wakeUps_++ < settings_.noise) {
        out.bytes.push_back(kNoiseByte);
        AddNote(out.note, "noise byte");
    }
    if (reply.bytes.empty()) {
        AddNote(out.note, "no answer");
        return out;
    }

    int transmission = ++transmissions_[reply.owner];
    std::string which =
        "transmission " + std::to_string(transmission) + " of " + ByteName(reply.owner);
    auto drop = settings_.drop.find(reply.owner);
    if (drop != settings_.drop.end() && transmission <= drop->second) {
        AddNote(out.note, "answer dropped (" + which + ")");
        return out;
    }

    if (reply.bytes.size() >= kPeriodicMinLength && settings_.dropEvery > 0 &&
        ++longAnswers_ % settings_.dropEvery == 0) {
        AddNote(out.note, "answer dropped (every " + std::to_string(settings_.dropEvery) + ")");
        return out;
    }

    std::vector<uint8_t> answer = reply.bytes;
    auto every = settings_.corruptTestSumEvery.find(reply.owner);
    if (every != settings_.corruptTestSumEvery.end() && every->second > 0 &&
        transmission % every->second == 0) {
        answer.back() ^= 0xFF;
        AddNote(out.note, "test sum flipped (" + which + ")");
    }
    for (const CorruptRule& rule : settings_.corrupt) {
        if (rule.command != reply.owner || rule.transmission != transmission) continue;
        if (rule.offset < answer.size()) {
            answer[rule.offset] ^= 0xFF;
            AddNote(out.note, "byte " + std::to_string(rule.offset) + " flipped (" + which + ")");
        } else {
            AddNote(out.note, "corrupt offset " + std::to_string(rule.offset) +
                                  " beyond the answer (" + which + ")");
        }
    }
    out.bytes.insert(out.bytes.end(), answer.begin(), answer.end());
    AddNote(out.note, "answered " + std::to_string(answer.size()) +
                          (answer.size() == 1 ? " byte" : " bytes"));
    return out;
}

}  // namespace varelo::sim
