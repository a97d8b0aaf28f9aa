// Appends device calls to a CallLog, or does nothing at all for the null device.
#pragma once

#include <initializer_list>

#include "platform/headless/recording_device.h"

namespace platform::headless {

class CallRecorder {
  public:
    explicit CallRecorder(CallLog* log) : log(log) {}

    bool Active() const { return log != nullptr; }
    bool KeepsData() const { return log != nullptr && log->recordData; }

    // The new entry, for callers that add floats or bytes; null when nothing is recorded.
    RecordedCall* Add(const char* name, std::initializer_list<double> args) {
        if (log == nullptr) {
            return nullptr;
        }
        RecordedCall& call = log->calls.emplace_back();
        call.name = name;
        call.args.assign(args.begin(), args.end());
        return &call;
    }

    static void AppendFloats(RecordedCall& call, const float* values, size_t count) {
        call.args.insert(call.args.end(), values, values + count);
    }

    static void AppendBytes(RecordedCall& call, const void* bytes, size_t count) {
        const auto* first = static_cast<const uint8_t*>(bytes);
        call.data.insert(call.data.end(), first, first + count);
    }

  private:
    CallLog* log;
};

}  // namespace platform::headless
