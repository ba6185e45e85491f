#pragma once

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/SerialDevice.h"

namespace vantor {

// The operating-system services the working state uses; real or fake, chosen by whoever builds it.
struct Platform {
    IClock& clock;
    ISerialOpener& serial;
    IPaths& paths;
};

}  // namespace vantor
