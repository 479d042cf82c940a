// The system's own message box, which ShowMessageBox uses while the GUI toolkit has installed none.
#pragma once

#include <string>

namespace platform
{

int SystemMessageBox(const std::string& text, const std::string& caption, unsigned style);

} // namespace platform
