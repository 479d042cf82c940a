#include "instrument/programs/PresetsFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace instrument
{

namespace
{
struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The length of text cut to at most limit bytes without splitting a UTF-8 character: a cut that would
// land on a continuation byte moves back to the start of that character.
std::size_t cutLength(const char* text, std::size_t limit)
{
    std::size_t length = 0;
    while (length < limit && text[length] != '\0')
        ++length;
    if (text[length] != '\0')
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    return length;
}

std::uint64_t readLittleEndian(const unsigned char* bytes, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
    {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void writeLittleEndian(unsigned char* bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
    {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

float floatFrom(const unsigned char* bytes)
{
    const auto bits = static_cast<std::uint32_t>(readLittleEndian(bytes, 4));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void decode(const unsigned char* record, StoredProgram& program)
{
    std::memcpy(program.name, record, StoredProgram::kNameSize);
    // The name must end inside its field even when the file's does not.
    program.name[StoredProgram::kNameSize - 1] = '\0';
    for (int i = 0; i < ParameterTable::kCount; ++i)
    {
        program.values[i] = floatFrom(record + StoredProgram::kNameSize + 4 * i);
    }
}

void encode(const StoredProgram& program, unsigned char* record)
{
    std::memcpy(record, program.name, StoredProgram::kNameSize);
    record[StoredProgram::kNameSize - 1] = '\0';
    for (int i = 0; i < ParameterTable::kCount; ++i)
    {
        writeLittleEndian(record + StoredProgram::kNameSize + 4 * i, bitsOf(program.values[i]), 4);
    }
}
} // namespace

bool PresetsFile::read(const char* path)
{
    programs.clear();
    if (path == nullptr)
    {
        return false;
    }
    File file(std::fopen(path, "rb"));
    if (!file)
    {
        return false;
    }
    unsigned char header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file.get()) != kHeaderSize)
    {
        return false;
    }
    const std::uint64_t versionBits = readLittleEndian(header, 8);
    double version;
    std::memcpy(&version, &versionBits, sizeof version);
    const auto count = static_cast<std::uint32_t>(readLittleEndian(header + 8, 4));
    if (version != kVersion || count == 0 || count > kMaxPrograms)
    {
        return false;
    }
    try
    {
        programs.assign(count, StoredProgram{});
    }
    catch (const std::bad_alloc&)
    {
        programs.clear();
        return false;
    }
    unsigned char record[kRecordSize];
    for (StoredProgram& program : programs)
    {
        std::memset(record, 0, sizeof record);
        const std::size_t got = std::fread(record, 1, kRecordSize, file.get());
        if (got == 0)
        {
            break;
        }
        decode(record, program);
        if (got < kRecordSize)
        {
            break;
        }
    }
    return true;
}

bool PresetsFile::write(const char* path, const std::vector<StoredProgram>& stored)
{
    if (path == nullptr || stored.size() > kMaxPrograms)
    {
        return false;
    }
    File file(std::fopen(path, "wb"));
    if (!file)
    {
        return false;
    }
    unsigned char header[kHeaderSize];
    std::uint64_t versionBits;
    const double version = kVersion;
    std::memcpy(&versionBits, &version, sizeof versionBits);
    writeLittleEndian(header, versionBits, 8);
    writeLittleEndian(header + 8, stored.size(), 4);
    bool ok = std::fwrite(header, 1, kHeaderSize, file.get()) == kHeaderSize;
    unsigned char record[kRecordSize];
    for (const StoredProgram& program : stored)
    {
        encode(program, record);
        ok = ok && std::fwrite(record, 1, kRecordSize, file.get()) == kRecordSize;
    }
    // Closing flushes; a full disk shows up here.
    return std::fclose(file.release()) == 0 && ok;
}

StoredProgram* PresetsFile::program(int index)
{
    if (index < 0 || index >= count())
    {
        return nullptr;
    }
    return &programs[static_cast<std::size_t>(index)];
}

const StoredProgram* PresetsFile::program(int index) const
{
    if (index < 0 || index >= count())
    {
        return nullptr;
    }
    return &programs[static_cast<std::size_t>(index)];
}

void PresetsFile::rename(int index, const char* name)
{
    StoredProgram* p = program(index);
    if (p == nullptr || name == nullptr)
    {
        return;
    }
    const std::size_t length = cutLength(name, StoredProgram::kNameSize - 1);
    std::memcpy(p->name, name, length);
    std::memset(p->name + length, 0, StoredProgram::kNameSize - length);
}

bool PresetsFile::copyName(int index, char* out, std::size_t capacity) const
{
    const StoredProgram* p = program(index);
    if (p == nullptr || out == nullptr || capacity == 0)
    {
        return false;
    }
    const std::size_t length =
        cutLength(p->name, std::min(capacity - 1, static_cast<std::size_t>(StoredProgram::kNameSize - 1)));
    std::memcpy(out, p->name, length);
    out[length] = '\0';
    return true;
}

} // namespace instrument
