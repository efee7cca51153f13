#pragma once
// Which commands are available. The core decides; the Win32 shell mirrors
// these flags onto menu items, toolbar buttons and push buttons after every
// command. Menu items and their buttons always share one flag.

namespace velmora {

struct CommandStates {
  bool Save = false;       // Save1, SaveBtn1
  bool SaveAs = false;     // SaveAs1, SaveAsBtn1
  bool PreView = true;     // PreViewBtn, PreView1
  bool Generate = false;   // GenerateBtn, Generate1
  bool AddYes = false;     // AddYes1
  bool AddNo = false;      // AddNo1
  bool Exchange = false;   // Exchange1
  bool YesDefault = false; // YesDefault1
  bool NoDefault = false;  // NoDefault1
  bool Delete = false;     // Delete1
  // The colour radio buttons follow whether taskbar progress is available.
  bool ColourButtons = true;

  bool operator==(const CommandStates& other) const;
  bool operator!=(const CommandStates& other) const { return !(*this == other); }
};

}  // namespace velmora
