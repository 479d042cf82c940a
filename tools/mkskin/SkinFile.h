#pragma once
// The skin file being assembled: one section per item naming its picture, written as the ini-style
// text the skin reader loads.
#include <string>
#include <utility>
#include <vector>

namespace mkskin
{
class SkinFile
{
public:
    // The item is the picture file (relative to the skin file's folder).
    void addImage(const std::string& item, const std::string& fileName);
    // The item stands for another item.
    void addAlias(const std::string& item, const std::string& target);
    bool write(const std::string& path) const;

private:
    struct Item
    {
        std::string name;
        std::string key;
        std::string value;
    };
    std::vector<Item> items;
};
} // namespace mkskin
