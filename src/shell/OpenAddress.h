#pragma once
// Opens a web or "mailto:" address with the user's preferred program, optionally asking
// first whether to go online. Interface thread (its boxes are modal).

#include <string>

// True when the preferred program took the address. A No to the confirmation returns
// false with nothing opened; a failure to open shows "Could not start your Internet
// browser" / "Launch Error" and returns false.
bool OpenAddress(const std::string& address, bool confirm);
