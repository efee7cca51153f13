#pragma once
// The record of a run, for an author whose document names a record folder:
// the player's dialogs are watched as the run goes, and at its end one file
// goes into the folder (RunRecord.h) from the system's thread pool. A folder that
// is slow or out of reach never holds the end user up: the player waits a
// moment at most, then ends as it would without a record, and a file is
// written under a temporary name and renamed, so nobody ever reads half a
// record.

#include <windows.h>

#include <cstdint>
#include <string>

#include "distribution/RunRecord.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

// Passes each step to the real dialogs and notes it with its answer.
class RecordingDialogs final : public StepDialogPort {
 public:
  RecordingDialogs(StepDialogPort& dialogs, RunLog& log) : dialogs_(dialogs), log_(log) {}
  StepAnswer ShowStepDialog(const StepDescription& step) override {
    log_.Step(step.index);
    const StepAnswer answer = dialogs_.ShowStepDialog(step);
    log_.Answer(answer);
    return answer;
  }

 private:
  StepDialogPort& dialogs_;
  RunLog& log_;
};

// The time a run starts, for the record's start and duration.
struct RunClock {
  SYSTEMTIME startUtc{};
  std::uint64_t startTick = 0;
  static RunClock Now();
};

struct PendingRecord;

// One run's record file: made in `folder` (CP932, as the document holds
// it) as the run starts, so that a slow share is reached while the end user
// works through the steps, and filled and put in place at the end.
class RunRecorder {
 public:
  RunRecorder(const std::string& folder, const std::string& version, const RunClock& clock);
  RunRecorder(const RunRecorder&) = delete;
  RunRecorder& operator=(const RunRecorder&) = delete;

  // Hands over the record and returns when it is in place or after
  // `waitMs`, whichever comes first.
  void Finish(const std::string& record, DWORD waitMs);

 private:
  UniqueKernelHandle ready_;
  UniqueKernelHandle done_;
  PendingRecord* pending_ = nullptr;  // the work item's, until Finish hands it over
};

// "2026-12-09T20:30:05Z"
std::string UtcText(const SYSTEMTIME& time);

}  // namespace velmora::win32
