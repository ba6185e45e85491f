#include <gtest/gtest.h>

#include <filesystem>

#include "support/FakePaths.h"
#include "support/FakeSerialDevice.h"

namespace vantor::test {
namespace {

std::size_t ReadAll(ISerialDevice& device, ByteArray& into) {
    std::uint8_t buffer[64];
    const std::size_t n = device.Read(buffer, sizeof buffer);
    into.insert(into.end(), buffer, buffer + n);
    return n;
}

// The scripted answer appears piece by piece at its moments, relative to the matching write.
TEST(FakeSerialDevice, AnswerBecomesReadableAtItsMoments) {
    FakeClock clock;
    FakeSerialDevice device(clock);
    device.Expect({1, 2}, Reply({10, 11, 12, 13, 14}, 5, 2, 10));  // at 5, 15, 25 ms
    const std::uint8_t other[] = {9};
    const std::uint8_t request[] = {1, 2};
    device.Write(other, 1);
    clock.Advance(3);
    device.Write(request, 2);
    EXPECT_EQ(device.PendingExpectations(), 0u);

    ByteArray got;
    clock.Advance(4);
    EXPECT_EQ(device.BytesWaiting(), 0u);
    clock.Advance(1);
    EXPECT_EQ(device.BytesWaiting(), 2u);
    clock.Advance(10);
    EXPECT_EQ(ReadAll(device, got), 4u);
    clock.Advance(10);
    EXPECT_EQ(ReadAll(device, got), 1u);
    EXPECT_EQ(got, (ByteArray{10, 11, 12, 13, 14}));
    EXPECT_EQ(device.Writes(), (std::vector<ByteArray>{{9}, {1, 2}}));
}

TEST(FakeSerialDevice, ReadTakesNoMoreThanTheRoomGiven) {
    FakeClock clock;
    FakeSerialDevice device(clock);
    device.Queue({1, 2, 3, 4, 5});
    std::uint8_t buffer[3] = {};
    EXPECT_EQ(device.Read(buffer, 3), 3u);
    EXPECT_EQ(device.BytesWaiting(), 2u);
}

TEST(FakeSerialDevice, RefusedSettingsKeepThePreviousOnes) {
    FakeClock clock;
    FakeSerialDevice device(clock);
    device.RefuseSettings([](const LineSettings& s) { return s.dataBits == 7; });
    LineSettings eight;
    eight.baudRate = 19200;
    LineSettings seven = eight;
    seven.dataBits = 7;
    EXPECT_TRUE(device.SetSettings(eight));
    EXPECT_FALSE(device.SetSettings(seven));
    EXPECT_EQ(device.Settings(), eight);
    EXPECT_EQ(device.SettingsRequests().size(), 2u);
}

TEST(FakeSerialOpener, AbsentBusyAndAlreadyOpenPathsFail) {
    FakeClock clock;
    FakeSerialOpener opener(clock);
    opener.Add("/fake/com1");
    opener.SetBusy("/fake/com2", true);
    EXPECT_EQ(opener.Open("/fake/com9"), nullptr);
    EXPECT_EQ(opener.Open("/fake/com2"), nullptr);
    {
        auto first = opener.Open("/fake/com1");
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(opener.IsOpen("/fake/com1"));
        EXPECT_EQ(opener.Open("/fake/com1"), nullptr);
    }
    EXPECT_FALSE(opener.IsOpen("/fake/com1"));
    EXPECT_NE(opener.Open("/fake/com1"), nullptr);
}

TEST(FakePaths, LogFolderLivesInARemovedTemporaryFolder) {
    std::string root;
    {
        FakePaths paths;
        root = paths.Root();
        EXPECT_TRUE(paths.CreateFolder(paths.LogFolder()));
        EXPECT_FALSE(paths.CreateFolder(paths.LogFolder()));
        EXPECT_EQ(paths.ResolvePort("COM3"), FakePaths::FakePortPath(3));
        EXPECT_EQ(paths.ResolvePort("НЕТ"), std::nullopt);
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
}  // namespace vantor::test
