#include "shell/OpenAddress.h"

#include "shell/Dialogs.h"
#include "shell/Process.h"

bool OpenAddress(const std::string& address, bool confirm) {
  if (confirm && !ConfirmYesNo("Connect to the Internet now?")) return false;
  if (OpenWithDefaultProgram(address)) return true;
  // The sentence is the caption and the two words are the text, as users know the box.
  Dialogs().ShowMessage({"Could not start your Internet browser", "Launch Error",
                         DialogIcon::None, {DialogButton::Ok}, DialogButton::Ok});
  return false;
}
