// What the LV2 plug-in instance asks of its editor's UI, which is attached while it is open: the host hears
// of a parameter the editor changed as a write to its control port, and of a new editor size. The host's
// user-interface thread.
#pragma once

#include <cstdint>

namespace host
{

class Lv2EditorLink
{
public:
    virtual ~Lv2EditorLink() = default;
    virtual void writePort(uint32_t port, float value) = 0;
    virtual bool resize(int width, int height) = 0;
};

} // namespace host
