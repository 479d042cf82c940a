// The splash screen that shows the sound bank's loading progress while the first instance starts.
// Until the editor's toolkit draws it, showing it only records the request.
#pragma once

#include <string>

namespace platform
{

// Asks for the splash screen drawn from the skin file, owned by parentWindow (null: none).
void ShowSplashScreen(const std::string& skinFile, void* parentWindow);
// How many times the splash screen was asked for in this process.
int SplashScreenRequests();

} // namespace platform
