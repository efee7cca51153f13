#include "player/RunRecording.h"

#include "win32/Win32Handles.h"
#include "win32/WideText.h"

namespace velmora::win32 {

// What the work item owns: it may outlive the player's wait. It has its
// own handles of the two events: `ready` says the record's bytes are there,
// `done` that the record is in place (or given up).
struct PendingRecord {
  std::wstring temporary;
  std::wstring final;
  std::string bytes;
  HANDLE ready = nullptr;
  HANDLE done = nullptr;
};

namespace {

void AppendDigits(std::wstring& out, unsigned value, int width) {
  wchar_t digits[10];
  for (int i = width; i-- > 0; value /= 10) digits[i] = static_cast<wchar_t>(L'0' + value % 10);
  out.append(digits, static_cast<std::size_t>(width));
}

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
std::wstring RecordName(const std::string& version, const RunClock& clock) {
  std::string time;
  for (const char c : UtcText(clock.startUtc)) {
    if (c != '-' && c != ':') time += c;
  }
  std::wstring name = ToWide(std::string(kRunRecordPrefix) + version + "-" + time + "-");
  AppendDigits(name, GetCurrentProcessId(), 10);
  name += L'-';
  AppendDigits(name, static_cast<unsigned>(GetTickCount64() % 1000000000u), 9);
  return name + ToWide(std::string(kRunRecordSuffix));
}

}  // namespace

RunClock RunClock::Now() {
  RunClock clock;
  GetSystemTime(&clock.startUtc);
  clock.startTick = GetTickCount64();
  return clock;
}

std::string UtcText(const SYSTEMTIME& time) {
  const struct {
    unsigned value;
    int width;
    wchar_t after;
  } parts[] = {{time.wYear, 4, L'-'},   {time.wMonth, 2, L'-'},  {time.wDay, 2, L'T'},
               {time.wHour, 2, L':'},   {time.wMinute, 2, L':'}, {time.wSecond, 2, L'Z'}};
  std::wstring text;
  for (const auto& part : parts) {
    AppendDigits(text, part.value, part.width);
    text += part.after;
  }
  return ToCp932(text);
}

RunRecorder::RunRecorder(const std::string& folder, const std::string& version, const RunClock& clock)
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (ready_ == nullptr || done_ == nullptr) return;
  std::wstring path = ToWide(folder);
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  auto* pending = new PendingRecord{{}, path + RecordName(version, clock), {}, DuplicateOf(ready_.get()),
                                    DuplicateOf(done_.get())};
  pending->temporary = pending->final + L".tmp";
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
