#include "distribution/win32/Unit_Win7Taskbar.h"

#include <shobjidl.h>

namespace velmora::win32 {
namespace {

// {56FDF344-FD6D-11D0-958A-006097C9A090}: the shell's TaskbarList object.
constexpr CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
// {EA1AFB91-9E28-4B86-90E9-9E9F8A5EEFAF}: ITaskbarList3.
constexpr IID kTaskbarList3Interface = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

}  // namespace

TaskbarProgress::TaskbarProgress(HWND window) : window_(window) {}

TaskbarProgress::~TaskbarProgress() = default;

bool TaskbarProgress::InitTaskbarProgress() {
  if (list_) return true;
  ITaskbarList3* raw = nullptr;
  if (FAILED(CoCreateInstance(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3Interface,
                              reinterpret_cast<void**>(&raw))) ||
      raw == nullptr) {
    return false;
  }
  // Owned from here on, so a failed HrInit releases it; nothing below
  // throws, so the program runs on without taskbar progress whatever fails.
  ComOwner<ITaskbarList3> list(raw);
  if (list->HrInit() != S_OK) return false;
  list_ = std::move(list);
  return Available();
}

bool TaskbarProgress::SetTaskbarProgressState(int state) {
  lastState_ = state;
  if (!list_) return false;
  return list_->SetProgressState(window_, static_cast<TBPFLAG>(TaskbarProgressFlag(state))) == S_OK;
}

bool TaskbarProgress::SetTaskbarProgressState(TaskbarProgressState state) {
  return SetTaskbarProgressState(static_cast<int>(state));
}

bool TaskbarProgress::SetTaskbarProgressValue(std::uint64_t completed, std::uint64_t total) {
  lastCompleted_ = completed;
  lastTotal_ = total;
  valueSet_ = true;
  if (!list_) return false;
  return list_->SetProgressValue(window_, completed, total) == S_OK;
}

UINT TaskbarProgress::TaskbarButtonCreatedMessage() {
  return RegisterWindowMessageW(L"TaskbarButtonCreated");
}

void TaskbarProgress::OnTaskbarButtonCreated() {
  if (!InitTaskbarProgress()) return;
  list_->SetProgressState(window_, static_cast<TBPFLAG>(TaskbarProgressFlag(lastState_)));
  if (valueSet_ && lastState_ != static_cast<int>(TaskbarProgressState::None)) {
    list_->SetProgressValue(window_, lastCompleted_, lastTotal_);
  }
}

}  // namespace velmora::win32
