// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        std::random_device seed;
        std::mt19937_64 random(
            seed() ^ static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do
        {
            path = base / ("virellando-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path));
        path = std::filesystem::canonical(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // The full path of name inside the folder.
    std::string File(const std::string& name) const { return (path / name).string(); }
    // Writes bytes to name (binary) and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string file = File(name);
        std::ofstream out(file, std::ios::binary);
        out << bytes;
        return file;
    }
    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path;
};
