#include "mklv2/InstrumentDescription.h"

namespace mklv2
{

InstrumentDescription InstrumentDescription::of(host::InstrumentDriver& driver)
{
    InstrumentDescription description;
    description.name = driver.effectName();
    description.vendor = driver.vendorName();
    description.latency = driver.latency();
    for (int index = 0; index < driver.parameterCount(); ++index)
        description.parameters.push_back(*driver.parameter(index));
    for (int program = 0; program < driver.programCount(); ++program)
    {
        if (!driver.setProgram(program))
            continue;
        ProgramValues values{driver.programName(program), {}};
        for (int index = 0; index < driver.parameterCount(); ++index)
            values.values.push_back(driver.parameterValue(index));
        description.programs.push_back(values);
    }
    return description;
}

} // namespace mklv2
