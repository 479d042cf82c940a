#include "host/vst3/Vst3Factory.h"

#include <cstring>

#include "host/vst3/Vst3Component.h"
#include "host/vst3/Vst3Strings.h"

namespace host
{

namespace
{
constexpr const char* kVendor = "Tallowind Inc.";
constexpr const char* kName = "Virellando";
constexpr const char* kUrl = "https://tallowind.example";
constexpr const char* kEmail = "mailto:packages@tallowind.example";
constexpr const char* kSubCategories = "Instrument|Piano";
// The interface release our declarations follow.
constexpr const char* kSdkVersion = "VST 3.7.0";

// What every kind of class information starts with: the one class, an instrument of many instances.
template <typename ClassInfo> void FillClassInfo(ClassInfo& info)
{
    info = ClassInfo{};
    std::memcpy(info.cid, Vst3Component::kClassId.bytes, sizeof info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    CopyToChar8(kVstAudioEffectClass, info.category, sizeof info.category);
    CopyToChar8(kName, info.name, sizeof info.name);
}
} // namespace

Vst3Factory::Vst3Factory(const InstrumentEntry& entry, void (*prepare)())
    : instrumentEntry(entry), prepareInstance(prepare)
{
}

tresult VST3CALL Vst3Factory::queryInterface(const char* interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (SameUid(interfaceId, FUnknown::iid) || SameUid(interfaceId, IPluginFactory::iid) ||
        SameUid(interfaceId, IPluginFactory2::iid))
    {
        *object = static_cast<IPluginFactory2*>(this);
        return kResultOk;
    }
    *object = nullptr;
    return kNoInterface;
}

uint32_t VST3CALL Vst3Factory::addRef()
{
    return 1;
}

uint32_t VST3CALL Vst3Factory::release()
{
    return 1;
}

tresult VST3CALL Vst3Factory::getFactoryInfo(PFactoryInfo* info)
{
    if (!info)
        return kInvalidArgument;
    *info = PFactoryInfo{};
    CopyToChar8(kVendor, info->vendor, sizeof info->vendor);
    CopyToChar8(kUrl, info->url, sizeof info->url);
    CopyToChar8(kEmail, info->email, sizeof info->email);
    info->flags = PFactoryInfo::kUnicode;
    return kResultOk;
}

int32_t VST3CALL Vst3Factory::countClasses()
{
    return 1;
}

tresult VST3CALL Vst3Factory::getClassInfo(int32_t index, PClassInfo* info)
{
    if (index != 0 || !info)
        return kInvalidArgument;
    FillClassInfo(*info);
    return kResultOk;
}

tresult VST3CALL Vst3Factory::getClassInfo2(int32_t index, PClassInfo2* info)
{
    if (index != 0 || !info)
        return kInvalidArgument;
    FillClassInfo(*info);
    CopyToChar8(kSubCategories, info->subCategories, sizeof info->subCategories);
    CopyToChar8(kVendor, info->vendor, sizeof info->vendor);
    CopyToChar8(VIRELLANDO_VERSION, info->version, sizeof info->version);
    CopyToChar8(kSdkVersion, info->sdkVersion, sizeof info->sdkVersion);
    return kResultOk;
}

tresult VST3CALL Vst3Factory::createInstance(FIDString cid, FIDString interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (!SameUid(cid, Vst3Component::kClassId))
        return kNoInterface;
    if (prepareInstance)
        prepareInstance();
    Vst3Component* component = Vst3Component::create(instrumentEntry);
    if (!component)
        return kOutOfMemory;
    const tresult result = component->queryInterface(interfaceId, object);
    component->release();
    return result;
}

} // namespace host
