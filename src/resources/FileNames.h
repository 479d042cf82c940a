// Names of the files that lie beside the plug-in module and share its base name.
#pragma once

#include <string>

namespace resources
{

// Cuts the path right after its last "." and appends ext, letter case kept; a
// path without any "." is returned unchanged. The dot may lie in a folder name
// ("/a/My.Plugins/Grand" with "DAT" gives "/a/My.DAT").
std::string ReplaceExtension(const std::string& path, const std::string& ext);

// The module's folder: its file name up to and including the last folder separator ("/", or "\\" on
// Windows).
std::string ModuleFolder();

// The module's file name with its extension replaced by ext ("DAT", "SKIN",
// "INI", "presets", "chm").
std::string ModuleFileWithExtension(const std::string& ext);

// ModuleFolder() followed by "Virellando-Log.txt".
std::string LogFilePath();

} // namespace resources
