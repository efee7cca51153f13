// A window the system will not make is an error the user is shown, with the
// system's reason: never a handle that is null or a dialog that quietly
// answers Cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "distribution/win32/StepDialog.h"
#include "document/Errors.h"
#include "win32/Controls.h"
#include "win32/ModalWindow.h"
#include "win32/WideText.h"
#include "win32/WindowBase.h"

namespace velmora::win32 {
namespace {

// A window that throws from one of its creation messages.
class RefusingWindow final : public WindowBase<RefusingWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraRefusingWindowTest";

  explicit RefusingWindow(UINT refusedMessage) : refusedMessage_(refusedMessage) {
    RegisterClassOnce(GetModuleHandleW(nullptr));
    CreateOwnWindow(0, L"", WS_POPUP, POINT{0, 0}, SIZE{10, 10}, nullptr, GetModuleHandleW(nullptr));
  }
  ~RefusingWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }

 private:
  friend class WindowBase<RefusingWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == refusedMessage_) throw std::logic_error("refused");
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

  UINT refusedMessage_;
};

// A modal window whose OK handler fails.
class FailingOkBox final : public ModalWindow<FailingOkBox> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraFailingOkBoxTest";

  FailingOkBox() {
    RegisterClassOnce(GetModuleHandleW(nullptr));
    CreateOwnWindow(0, L"", WS_POPUP, POINT{0, 0}, SIZE{10, 10}, nullptr, GetModuleHandleW(nullptr));
  }
  ~FailingOkBox() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  bool Show(HWND owner) { return RunModal(owner, nullptr); }

 private:
  friend class ModalWindow<FailingOkBox>;
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) throw VelmoraError("failed");
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
};

TEST(WindowFailure, AControlOfAnUnknownClassRaisesTheSystemsReason) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  try {
    CreateChild(parent, nullptr, {L"VelmoraNoSuchClass", L"", 0, 1});
    ADD_FAILURE() << "no error raised";
  } catch (const VelmoraError& error) {
    // The sentence, then the system's reason (whose code differs between
    // systems: "cannot find window class", "class does not exist").
    const std::string text = error.what();
    const std::string sentence = ToCp932(L"ウィンドウ \"VelmoraNoSuchClass\" を作成できません。");
    EXPECT_EQ(text.substr(0, sentence.size()), sentence);
    EXPECT_GT(text.size(), sentence.size()) << "no reason given";
  }
  DestroyWindow(parent);
}

TEST(WindowFailure, AnErrorDuringCreationComesOutOfTheConstructorAndLeavesNoWindow) {
  for (UINT refused : {static_cast<UINT>(WM_NCCREATE), static_cast<UINT>(WM_CREATE)}) {
    EXPECT_THROW(RefusingWindow{refused}, std::logic_error) << refused;
    EXPECT_EQ(FindWindowW(RefusingWindow::kClassName, nullptr), nullptr) << refused;
  }
  RefusingWindow accepted(WM_NULL);
  EXPECT_NE(accepted.Handle(), nullptr);
}

TEST(WindowFailure, AnErrorInAModalWindowEndsItAndReachesWhoOpenedIt) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  FailingOkBox box;
  PostMessageW(box.Handle(), WM_COMMAND, IDOK, 0);
  EXPECT_THROW(box.Show(owner), VelmoraError);
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is given back";
  EXPECT_FALSE(IsWindowVisible(box.Handle()));
  // The next opening starts afresh: Cancel answers Cancel.
  PostMessageW(box.Handle(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(box.Show(owner));
  DestroyWindow(owner);
}

TEST(WindowFailure, AStepDialogThatCannotBeShownRaisesAnError) {
  // A window that is gone cannot own a dialog.
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  StepDescription step;
  step.caption = "Velmora";
  step.message = "message";
  POINT centre = InitialPreviewDialogCentre();
  EXPECT_THROW(ShowStepDialog(gone, step, centre), VelmoraError);
}

}  // namespace
}  // namespace velmora::win32
