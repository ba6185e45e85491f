#include <gtest/gtest.h>

#include "serial/ComPort.h"
#include "serial/SettingsText.h"
#include "support/PortFixture.h"

namespace vantor {
namespace {

using test::Bytes;
using test::FakePaths;
using test::FakeSerialDevice;
using test::Reply;

struct TextCase {
    const char* text;
    std::optional<SettingsFields> fields;
};

TEST(SettingsText, Table) {
    const SettingsFields n7two{9600, 7, Parity::None, StopBits::Two};
    const TextCase cases[] = {
        {"9600,N,7,2", n7two},
        {"9600,НЕТ,7,2", n7two},
        {" 19200 , ЧЕТ , 8 , 1 ", SettingsFields{19200, 8, Parity::Even, StopBits::One}},
        {"9600,E,8,1.5", SettingsFields{9600, 8, Parity::Even, StopBits::OneAndHalf}},
        {"115200,НЕЧЕТ,8,1", SettingsFields{115200, 8, Parity::Odd, StopBits::One}},
        {"14400,Mark,8,1", SettingsFields{14400, 8, Parity::Mark, StopBits::One}},
        {"76800,S,5,1.5", SettingsFields{76800, 5, Parity::Space, StopBits::OneAndHalf}},
        {"9600baud,O,7,2", SettingsFields{9600, 7, Parity::Odd, StopBits::Two}},
        {",НЕТ,7,2", SettingsFields{0, 7, Parity::None, StopBits::Two}},
        {"9600,X,8,1", std::nullopt},
        {"9600,n,8,1", std::nullopt},
        {"9600,,8,1", std::nullopt},
        {"9600,N,8,3", std::nullopt},
        {"9600,N,8,", std::nullopt},
        {"9600,N,,1", std::nullopt},
        {"9600,N,88,1", std::nullopt},
        {"9600,N,x,1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSettingsText(c.text), c.fields) << c.text;
    }
}

TEST(SettingsText, FewerThanThreeCommasIsAProgrammingError) {
    for (const char* text : {"", "9600", "9600,N", "9600,N,8"}) {
        EXPECT_THROW(ParseSettingsText(text), InvalidArgument) << text;
    }
}

TEST(SettingsByte, Table) {
    struct Case {
        std::uint8_t packed;
        SettingsTexts texts;
    };
    const Case cases[] = {
        {21, {"9600", "НЕТ", "7", "2", false}},   {138, {"115200", "НЕТ", "8", "1", true}},
        {97, {"", "НЕЧЕТ", "7", "1", false}},     {0x57, {"19200", "ЧЕТ", "7", "2", false}},
        {0x86, {"14400", "НЕТ", "8", "1", true}}, {0xA9, {"76800", "НЕТ", "8", "1", true}},
        {0x02, {"1200", "НЕТ", "7", "1", false}}, {0x08, {"38400", "НЕТ", "7", "1", false}},
        {0xFF, {"", "НЕЧЕТ", "8", "2", true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnpackSettingsByte(c.packed), c.texts) << int{c.packed};
    }
    EXPECT_EQ(JoinSettingsText("9600", "НЕТ", "7", "2"), "9600,НЕТ,7,2");
}

class RecordingTrace : public ILineTrace {
public:
    void OnTraffic(TraceDirection direction, const SystemTime&, const std::uint8_t* bytes,
                   std::size_t count) override {
        events.push_back({direction, ByteArray(bytes, bytes + count)});
    }
    void OnCollectionEnd(const SystemTime&, unsigned waitedMs) override {
        collections.push_back(waitedMs);
    }
    std::vector<std::pair<TraceDirection, ByteArray>> events;
    std::vector<unsigned> collections;
};

using ComPortTest = test::PortFixture;

TEST_F(ComPortTest, ConstructedWithoutHandleOrNames) {
    EXPECT_TRUE(port.m_hCom.IsZero());
    EXPECT_EQ(port.m_strPortName, "");
    EXPECT_EQ(port.m_strOpenPortName, "");
    port.Close();
    EXPECT_TRUE(port.m_hCom.IsZero());
}

TEST_F(ComPortTest, FailedOpensLeaveAnInvalidHandle) {
    fake.serial.SetBusy(FakePaths::FakePortPath(2), true);
    for (const char* name : {"COM1", "COM2", "НЕТ", "COM9"}) {
        EXPECT_FALSE(port.Open(name)) << name;
        EXPECT_TRUE(port.m_hCom.IsInvalid()) << name;
    }
    EXPECT_FALSE(port.Configure("9600,N,8,1"));
    port.Close();
    EXPECT_TRUE(port.m_hCom.IsZero());
}

TEST_F(ComPortTest, OpenConfigureClose) {
    FakeSerialDevice& com1 = Com(1);
    ASSERT_TRUE(port.Open("COM1"));
    EXPECT_TRUE(fake.serial.IsOpen(FakePaths::FakePortPath(1)));
    EXPECT_TRUE(port.Configure("19200,ЧЕТ,8,1"));
    const LineSettings expected{19200, 8, Parity::Even, StopBits::One, false, true};
    EXPECT_EQ(com1.Settings(), expected);
    EXPECT_EQ(port.m_dcb, expected);
    port.Close();
    EXPECT_TRUE(port.m_hCom.IsZero());
    EXPECT_FALSE(fake.serial.IsOpen(FakePaths::FakePortPath(1)));
}

TEST_F(ComPortTest, RejectedTextsAndRefusedSettingsKeepThePortAsItWas) {
    FakeSerialDevice& com1 = Com(1);
    com1.RefuseSettings([](const LineSettings& s) { return s.baudRate == 0; });
    ASSERT_TRUE(port.Open("COM1"));
    ASSERT_TRUE(port.Configure("9600,N,8,2"));
    const LineSettings before = com1.Settings();
    EXPECT_FALSE(port.Configure("9600,Q,8,1"));
    EXPECT_FALSE(port.Configure("9600,N,8,3"));
    EXPECT_FALSE(port.Configure(",N,8,1"));
    EXPECT_THROW(port.Configure("9600,N,8"), InvalidArgument);
    EXPECT_EQ(com1.Settings(), before);
}

TEST_F(ComPortTest, WritesGoOutWholeAndFailuresAreReported) {
    FakeSerialDevice& com1 = Com(1);
    const std::uint8_t frame[] = {1, 2, 3};
    EXPECT_FALSE(port.WriteFrame(port.m_hCom, frame, 3));
    ASSERT_TRUE(port.Open("COM1"));
    EXPECT_TRUE(port.WriteFrame(port.m_hCom, frame, 3));
    com1.FailWrites(true);
    EXPECT_FALSE(port.WriteFrame(port.m_hCom, frame, 3));
    EXPECT_EQ(com1.Writes(), (std::vector<ByteArray>{{1, 2, 3}, {1, 2, 3}}));
}

// Collection on the fake clock, to the millisecond.
class CollectReplyTest : public test::OpenPortFixture {
protected:
    std::size_t Collect() {
        start = fake.clock.NowMs();
        return port.CollectReply(accum, chunk);
    }
    std::int64_t Elapsed() const { return fake.clock.NowMs() - start; }
    ByteArray Collected(std::size_t n) const { return ByteArray(accum.begin(), accum.begin() + n); }

    std::array<std::uint8_t, kAccumBufferSize> accum{};
    std::array<std::uint8_t, kRtuChunkSize> chunk{};
    std::int64_t start = 0;
};

TEST_F(CollectReplyTest, NothingArrivingIsZeroAfter75Ms) {
    EXPECT_EQ(Collect(), 0u);
    EXPECT_EQ(Elapsed(), 75);
    EXPECT_EQ(fake.clock.Sleeps(), (std::vector<unsigned>{50, 25}));
}

TEST_F(CollectReplyTest, AReplyBegunBy75MsCounts) {
    com1.Queue({1, 2, 3}, 75);
    EXPECT_EQ(Collect(), 3u);
    com1.Queue({4}, 76);
    EXPECT_EQ(Collect(), 0u);
}

TEST_F(CollectReplyTest, PiecesWithinTheQuietGapAreCollectedWhole) {
    // Already waiting, then one piece in each 25 ms window: 20 and 45 ms after the call, and
    // one exactly at the moment of the third read.
    com1.Queue({1, 2});
    com1.Queue({3, 4}, 20);
    com1.Queue({5}, 45);
    com1.Queue({6, 7}, 75);
    EXPECT_EQ(Collect(), 7u);
    EXPECT_EQ(Collected(7), (ByteArray{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Elapsed(), 100);
}

TEST_F(CollectReplyTest, ALongerGapEndsTheCollectionAndTheRestWaits) {
    com1.Queue({1, 2});
    com1.Queue({3}, 20);
    com1.Queue({4, 5}, 51);  // one millisecond after the read at 50 found nothing
    EXPECT_EQ(Collect(), 3u);
    EXPECT_EQ(Elapsed(), 50);
    EXPECT_EQ(com1.BytesNotRead(), 2u);
    EXPECT_EQ(Collect(), 2u);
    EXPECT_EQ(Collected(2), (ByteArray{4, 5}));
}

TEST_F(CollectReplyTest, ReadsNeverTakeMoreThanTheRoomLeft) {
    com1.Queue(ByteArray(4990, 0xAA));
    com1.Queue(ByteArray(300, 0xBB), 10);
    EXPECT_EQ(Collect(), kAccumBufferSize);
    EXPECT_EQ(com1.BytesNotRead(), 290u);
    EXPECT_EQ(com1.ReadRooms(), (std::vector<std::size_t>{kAccumBufferSize, 10}));
    EXPECT_EQ(accum.back(), 0xBB);

    // What did not fit waits for the next collection.
    EXPECT_EQ(Collect(), 290u);
    EXPECT_EQ(com1.ReadRooms(),
              (std::vector<std::size_t>{kAccumBufferSize, 10, kAccumBufferSize, kRtuChunkSize}));

    // A long piece after the first byte comes a chunk at a time, every 25 ms.
    com1.Queue({1});
    com1.Queue(ByteArray(250, 0xCC), 10);
    EXPECT_EQ(Collect(), 251u);
    EXPECT_EQ(Elapsed(), 100);
}

TEST_F(CollectReplyTest, TheTraceSeesEveryFrameAndChunk) {
    RecordingTrace trace;
    port.SetTrace(&trace);
    com1.ExpectAny(Reply({9, 8, 7}, 0, 2, 20));
    const std::uint8_t frame[] = {1, 2};
    port.WriteFrame(port.m_hCom, frame, 2);
    EXPECT_EQ(Collect(), 3u);
    using D = TraceDirection;
    EXPECT_EQ(trace.events, (std::vector<std::pair<D, ByteArray>>{
                                {D::Sent, {1, 2}}, {D::Received, {9, 8}}, {D::Received, {7}}}));
    // Each collection's end is told with the time it took, the empty one's too.
    EXPECT_EQ(Collect(), 0u);
    EXPECT_EQ(trace.collections, (std::vector<unsigned>{50, 75}));
}

}  // namespace
}  // namespace vantor
