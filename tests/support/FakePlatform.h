#pragma once

#include "platform/Platform.h"
#include "support/FakeClock.h"
#include "support/FakePaths.h"
#include "support/FakeSerialDevice.h"

namespace vantor::test {

// The three fake services in one object, in the order they must be destroyed last:
//
//   FakePlatform fake;
//   FakeSerialDevice& com1 = fake.serial.Add(FakePaths::FakePortPath(1));
//   CMorvikDlg dlg(window, fake.platform);
struct FakePlatform {
    FakeClock clock;
    FakeSerialOpener serial{clock};
    FakePaths paths;
    Platform platform{clock, serial, paths};
};

}  // namespace vantor::test
