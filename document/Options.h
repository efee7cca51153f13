#pragma once
// The options the user toggles from the options menu. They live in memory
// and reach the settings file only at a successful close.

namespace velmora {

struct Options {
  bool CloseQuery = false;   // ask before exiting
  bool SaveStatus = false;   // keep placement, options and recent files
  bool ShowButtons = false;  // the tree view's expand and collapse buttons
};

}  // namespace velmora
