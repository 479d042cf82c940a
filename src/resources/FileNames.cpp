#include "resources/FileNames.h"

#include "platform/Platform.h"

namespace resources
{

std::string ReplaceExtension(const std::string& path, const std::string& ext)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return path;
    return path.substr(0, dot + 1) + ext;
}

std::string ModuleFolder()
{
    const std::string module = platform::ModuleFileName();
    const size_t slash = module.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    return module.substr(0, slash + 1);
}

std::string ModuleFileWithExtension(const std::string& ext)
{
    return ReplaceExtension(platform::ModuleFileName(), ext);
}

std::string LogFilePath()
{
    return ModuleFolder() + "Virellando-Log.txt";
}

} // namespace resources
