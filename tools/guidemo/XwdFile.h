#pragma once
// Reads the window dumps that xwd writes (ZPixmap, 24 or 32 bits per pixel, true colour).
#include <string>

#include "images/CImage.h"

namespace guidemo
{

class XwdFile
{
public:
    // False with a reason in error when the file cannot be read or has another format.
    static bool Read(const std::string& path, images::CImage& image, std::string& error);
};

} // namespace guidemo
