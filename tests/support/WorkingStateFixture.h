#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/Protocol.h"
#include "polling/MorvikDlg.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor::test {

// One configuration item as a short table row: {"Напряжение (Ua)", "100"} is a two-byte item at
// register 0x100.
struct ItemRow {
    std::string name;
    std::string address;
    std::string size = "2";
};

// The initialised working state on the fake platform, its window a recorder and a fake device
// as COM1, which it opens:
//
//   class PollingCycle : public WorkingStateFixture {};
//   TEST_F(PollingCycle, ...) {
//       SetItems({{"Напряжение (Ua)", "100"}, {"Напряжение (Ub)", "101"}});
//       UseModbusRtu();
//       dlg.OnStart();
//       Tick();
//       EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Буфер обмена пуст"}));
//   }
class WorkingStateFixture : public ::testing::Test {
protected:
    void SetUp() override { dlg.OnInitDialog(); }

    // One poll period later, as the window's timer would deliver it.
    void Tick();
    // Every message box shown so far as "caption: text".
    std::vector<std::string> Messages() const { return window.MessageTexts(); }

    // 9600 baud with 8 data bits and the Modbus choice: Modbus RTU.
    void UseModbusRtu();
    // 9600 baud with 7 data bits: Modbus ASCII.
    void UseModbusAscii();
    // 9600 baud with 8 data bits and the IEC 60870-5-101 choice and tag, polled in `mode`.
    void UseIec(int mode);

    // The configuration's items, in table order.
    void SetItems(const std::vector<ItemRow>& items);
    // Only the quantities of these key indexes are present.
    void SetPresent(std::initializer_list<std::size_t> quantities);

    FakePlatform fake;
    FakeSerialDevice& com1 = fake.serial.Add(FakePaths::FakePortPath(1));
    RecordingWindow window;
    CMorvikDlg dlg{window, fake.platform};
};

}  // namespace vantor::test
