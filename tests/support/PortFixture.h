#pragma once

#include <gtest/gtest.h>

#include "serial/ComPort.h"
#include "support/FakePlatform.h"

namespace vantor::test {

// The port object on the fake platform; Com(n) adds the fake device "COMn" resolves to.
class PortFixture : public ::testing::Test {
protected:
    FakeSerialDevice& Com(int n) { return fake.serial.Add(FakePaths::FakePortPath(n)); }

    FakePlatform fake;
    CComPort port{fake.clock, fake.serial, fake.paths};
};

// The port open on COM1's fake device.
class OpenPortFixture : public PortFixture {
protected:
    void SetUp() override { ASSERT_TRUE(port.Open("COM1")); }

    FakeSerialDevice& com1 = Com(1);
};

}  // namespace vantor::test
