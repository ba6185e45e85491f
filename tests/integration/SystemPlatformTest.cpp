#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "config/ByteStream.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "support/FakePaths.h"

namespace vantor {
namespace {

TEST(SystemPaths, LogFolderAndPortNames) {
    test::FakePaths scratch;  // only for its temporary folder
    const std::string home = scratch.Root();
    SystemPaths paths(home);
    EXPECT_EQ(paths.LogFolder(), home + "/VantorTXT");
    EXPECT_TRUE(paths.CreateFolder(paths.LogFolder()));
    EXPECT_FALSE(paths.CreateFolder(paths.LogFolder()));

    EXPECT_EQ(paths.ResolvePort("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(paths.ResolvePort("COM8"), "/dev/ttyUSB7");
    std::filesystem::create_directories(home + "/.vantor3/ports");
    std::filesystem::create_symlink("/dev/null", home + "/.vantor3/ports/com2");
    EXPECT_EQ(paths.ResolvePort("COM2"), home + "/.vantor3/ports/com2");
    for (const char* name : {"НЕТ", "COM0", "COM9", "com1", "COM10", ""}) {
        EXPECT_EQ(paths.ResolvePort(name), std::nullopt) << name;
    }
}

TEST(SystemClock, AgreesWithTheCLibrary) {
    SystemClock clock;
    const time_t now = time(nullptr);
    const SystemTime utc = clock.UtcNow();
    tm expected{};
    gmtime_r(&now, &expected);
    EXPECT_EQ(utc.year, expected.tm_year + 1900);
    EXPECT_EQ(utc.dayOfWeek, expected.tm_wday);
    EXPECT_LT(utc.milliseconds, 1000);
    EXPECT_NEAR(clock.Time64(), now, 1);

    const SystemTime local = clock.LocalTime(now);
    localtime_r(&now, &expected);
    EXPECT_EQ(local.hour, expected.tm_hour);
    EXPECT_EQ(local.minute, expected.tm_min);
    EXPECT_EQ(local.day, expected.tm_mday);

    const std::int64_t before = clock.TickMs();
    clock.Sleep(20);
    EXPECT_GE(clock.TickMs() - before, 20);
}

TEST(ByteStreams, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    const std::string path = testing::TempDir() + "/vantor-pipe.dat";
    std::remove(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto opened = std::async(std::launch::async, [&path] { return CFileByteStream().Open(path); });
    if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "the open waits for a writer";
        close(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // lets the blocked open return
    }
    EXPECT_FALSE(opened.get());
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vantor
