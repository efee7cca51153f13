// The program initialises COM on its GUI thread before it creates any
// window (the taskbar progress probe and shortcuts need it); the windows
// created by the tests get the same thread set-up.
#include <objbase.h>

#include <gtest/gtest.h>

namespace {

class ComApartmentEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  void TearDown() override {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_ = false;
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new ComApartmentEnvironment);

}  // namespace
