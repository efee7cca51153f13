#include "player/RunRecording.h"

#include "win32/Win32Handles.h"
#include "win32/TimeText.h"
#include "win32/WideText.h"

namespace velmora::win32 {

// What the work item owns: it may outlive the player's wait. It has its
// own handles of the two events: `ready` says the record's bytes are there,
// `done` that the record is in place (or given up).
struct PendingRecord {
  std::wstring final;
  std::wstring temporary;
  std::string bytes;
  HANDLE ready = nullptr;
  HANDLE done = nullptr;
};

namespace {

bool WriteWhole(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

// The file is made as soon as the run starts, so that a slow share is
// reached while the end user works through the steps; the bytes come at
// the end. No flush of its own: the rename is written through, and a
// record lost to a power cut costs one count, not the end user's time.
DWORD WINAPI WriteRecord(void* parameter) {
  PendingRecord* pending = static_cast<PendingRecord*>(parameter);
  bool kept = false;
  {
    const UniqueFileHandle file(CreateFileW(pending->temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    MsgWaitForMultipleObjects(1, &pending->ready, FALSE, INFINITE, 0);
    kept = file.Valid() && WriteWhole(file.Get(), pending->bytes);
  }
  if (!kept || !MoveFileExW(pending->temporary.c_str(), pending->final.c_str(), MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(pending->temporary.c_str());
  }
  SetEvent(pending->done);
  CloseHandle(pending->ready);
  CloseHandle(pending->done);
  delete pending;
  return 0;
}

HANDLE DuplicateOf(HANDLE handle) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
  return copy;
}

// "velmora-run-<version>-<yyyymmddThhmmssZ>-<process>-<tick>.txt": unique
// among many players on many machines writing to one share.
void AppendRecordName(std::string& name, const std::string& version, const RunClock& clock) {
  name += kRunRecordPrefix;
  name += version;
  name += '-';
  for (const char c : UtcText(clock.startUtc)) {
    if (c != '-' && c != ':') name += c;
  }
  name += '-';
  AppendDigits(name, GetCurrentProcessId(), 10);
  name += '-';
  // The tick's low digits: 32 bits of it are enough, and need no 64-bit
  // division.
  AppendDigits(name, static_cast<unsigned>(GetTickCount64()) % 1000000000u, 9);
  name += kRunRecordSuffix;
}

}  // namespace

RunClock RunClock::Now() {
  RunClock clock;
  GetSystemTime(&clock.startUtc);
  clock.startTick = GetTickCount64();
  return clock;
}

std::string UtcText(const SYSTEMTIME& time) {
  std::string text = TimeText(time, "--T::");
  text += 'Z';
  return text;
}

RunRecorder::RunRecorder(const std::string& folder, const std::string& version, const RunClock& clock)
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (ready_ == nullptr || done_ == nullptr) return;
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  AppendRecordName(path, version, clock);
  std::string temporary = path;
  temporary += ".tmp";
  auto* pending =
      new PendingRecord{ToWide(path), ToWide(temporary), {}, DuplicateOf(ready_.get()), DuplicateOf(done_.get())};
  // The system's thread pool writes it: the player starts no thread of
  // its own.
  if (pending->ready == nullptr || pending->done == nullptr ||
      !QueueUserWorkItem(&WriteRecord, pending, WT_EXECUTELONGFUNCTION)) {
    if (pending->ready != nullptr) CloseHandle(pending->ready);
    if (pending->done != nullptr) CloseHandle(pending->done);
    delete pending;
    return;
  }
  pending_ = pending;
}

void RunRecorder::Finish(const std::string& record, DWORD waitMs) {
  if (pending_ == nullptr) return;
  // The work item reads the bytes only once `ready` is set, and frees
  // them itself: they are not touched here after that.
  pending_->bytes = record;
  pending_ = nullptr;
  SetEvent(ready_.get());
  HANDLE handles[] = {done_.get()};
  MsgWaitForMultipleObjects(1, handles, FALSE, waitMs, 0);
}

}  // namespace velmora::win32
