#include <gtest/gtest.h>

#include <filesystem>

#include <utility>

#include <algorithm>

#include "config/Protocol.h"
#include "polling/MorvikDlg.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor {
namespace {

using test::FakePaths;
using test::FakePlatform;
using test::RecordingWindow;

class MorvikDlgInit : public testing::Test {
protected:
    std::string PortPath(int n) const { return FakePaths::FakePortPath(n); }

    FakePlatform fake;
    RecordingWindow window;
    CMorvikDlg dlg{window, fake.platform};
};

TEST_F(MorvikDlgInit, ConstructionGivesTheEmptyState) {
    EXPECT_EQ(dlg.m_nProtocol, -1);
    EXPECT_EQ(dlg.m_nIecMode, -1);
    EXPECT_EQ(dlg.m_nFcb, -1);
    EXPECT_EQ(dlg.m_nPeriod, 0u);
    EXPECT_EQ(dlg.m_nKn, 0u);
    EXPECT_EQ(dlg.m_nDevAddr, 0u);
    EXPECT_EQ(dlg.m_bFirstAnswer, FALSE);
    EXPECT_EQ(dlg.m_strBaud, "");
    EXPECT_EQ(dlg.m_strDelay, "");
    EXPECT_EQ(dlg.m_strRecTime, "");
    EXPECT_TRUE(dlg.m_saQtyKeys.empty());
    EXPECT_TRUE(dlg.m_baActive.empty());
    EXPECT_EQ(dlg.m_pLogOpen, nullptr);
    EXPECT_TRUE(dlg.m_port.m_hCom.IsZero());
    EXPECT_TRUE(dlg.m_iec.m_hCom.IsZero());
    EXPECT_EQ(dlg.m_port.m_strPortName, "");
    EXPECT_TRUE(fake.serial.OpenAttempts().empty());
}

TEST_F(MorvikDlgInit, WorkingDefaultsWithoutAConfiguration) {
    fake.serial.Add(PortPath(1));
    EXPECT_EQ(dlg.OnInitDialog(), TRUE);

    EXPECT_EQ(dlg.m_strConfigName, "");
    EXPECT_EQ(dlg.m_baActive, ByteArray(32, 1));
    ASSERT_EQ(dlg.m_saQtyKeys.size(), 32u);
    EXPECT_EQ(dlg.m_saQtyKeys.front(), "Ua");
    EXPECT_EQ(dlg.m_saQtyKeys.at(27), "Uф.cp");
    EXPECT_EQ(dlg.m_saQtyKeys.back(), "thm");
    EXPECT_EQ(dlg.m_strParity, "НЕТ");
    EXPECT_EQ(dlg.m_strBaud, "9600");
    EXPECT_EQ(dlg.m_strDataBits, "7");
    EXPECT_EQ(dlg.m_strStopBits, "2");
    EXPECT_EQ(dlg.SettingsText(), "9600,НЕТ,7,2");
    EXPECT_EQ(dlg.m_b8Bit, FALSE);
    EXPECT_EQ(dlg.m_nDevAddr, 1u);
    EXPECT_EQ(dlg.m_nPeriod, 500u);
    EXPECT_EQ(dlg.m_nMinPeriod, 150u);
    EXPECT_EQ(dlg.m_nIecMode, kIecLinkReading);
    EXPECT_EQ(dlg.m_nFcb, 1);
    EXPECT_EQ(dlg.m_nProtocol, kModbusProtocol);
    EXPECT_EQ(dlg.m_nProtoTag, 0);
    EXPECT_EQ(dlg.m_nAsduType, 143);
    EXPECT_EQ(dlg.m_strDelay, "0");
    EXPECT_EQ(dlg.m_strRecTime, "00 : 00 : 15");
    EXPECT_EQ(dlg.m_strRemain, "00 : 00 : 00");
    EXPECT_EQ(dlg.m_bFirstAnswer, TRUE);
    EXPECT_EQ(dlg.m_nKn, 1u);
    EXPECT_EQ(dlg.m_nKt, 1u);
    EXPECT_EQ(dlg.m_nUnitU, 1u);
    EXPECT_DOUBLE_EQ(dlg.m_dUnom, 100.0);
    EXPECT_DOUBLE_EQ(dlg.m_dInom, 5.0);
    EXPECT_DOUBLE_EQ(dlg.m_kUph, 0.011547);
    EXPECT_DOUBLE_EQ(dlg.m_kP, 0.173205);
    EXPECT_EQ(dlg.m_nIecAsduAddrSize, 1);
    EXPECT_EQ(dlg.m_nIecIoaSize, 2);
    EXPECT_EQ(dlg.m_nIecFixedFrame, 16);
    EXPECT_EQ(dlg.m_nIecCotSize, 1);
    EXPECT_EQ(window.GetComboSelection(ctl::kGroupCombo), 0);
    EXPECT_EQ(window.loads, 1);  // the members were shown once, at the end
    EXPECT_EQ(window.saves, 0);
    // The display was reset and refreshed: every value shows a text.
    EXPECT_FALSE(dlg.m_strUa.empty());
    EXPECT_FALSE(dlg.m_strFreq.empty());

    EXPECT_TRUE(std::filesystem::is_directory(fake.paths.LogFolder()));
}

// Until a nominal value or a configuration sets it, the total-power coefficient is the
// product 3 x 0.057735 in extended precision, a hair above 0.173205, and the codes whose
// physical value lies on a rounding edge show it.
TEST_F(MorvikDlgInit, TheInitialTotalPowerCoefficientRoundsTheEdgesUp) {
    dlg.OnInitDialog();
    dlg.m_bPhysical = TRUE;
    const std::pair<std::int16_t, const char*> cases[] = {{500, "86.603"}, {4900, "848.71"}};
    for (const auto& [code, text] : cases) {
        dlg.m_raw[kRawP] = code;
        dlg.RefreshValues();
        EXPECT_EQ(dlg.m_strP, text) << code;
    }
}

// The port is configured "9600,N,7,2" and then from the packed byte 21: the same settings.
TEST_F(MorvikDlgInit, ThePortStartsAsModbusAscii) {
    auto& com1 = fake.serial.Add(PortPath(1));
    dlg.OnInitDialog();
    const LineSettings ascii{9600, 7, Parity::None, StopBits::Two, false, true};
    EXPECT_EQ(com1.SettingsRequests(), (std::vector<LineSettings>{ascii, ascii}));
    EXPECT_EQ(com1.Settings(), ascii);
    EXPECT_TRUE(com1.Writes().empty());
}

TEST_F(MorvikDlgInit, TheFirstPortThatOpensIsKept) {
    fake.serial.SetBusy(PortPath(1), true);
    fake.serial.Add(PortPath(3));
    fake.serial.Add(PortPath(5));
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_port.m_strPortName, "COM3");
    EXPECT_EQ(dlg.m_port.m_strOpenPortName, "COM3");
    EXPECT_TRUE(fake.serial.IsOpen(PortPath(3)));
    EXPECT_FALSE(fake.serial.IsOpen(PortPath(5)));
    EXPECT_EQ(fake.serial.OpenAttempts(),
              (std::vector<std::string>{PortPath(1), PortPath(2), PortPath(3)}));
    EXPECT_EQ(fake.serial.Device(PortPath(3)).Settings().dataBits, 7);
}

TEST_F(MorvikDlgInit, NoPortAtAllIsNone) {
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_port.m_strPortName, "НЕТ");
    EXPECT_EQ(dlg.m_port.m_strOpenPortName, "НЕТ");
    EXPECT_EQ(fake.serial.OpenAttempts().size(), 8u);
    EXPECT_EQ(dlg.m_port.m_hCom.Device(), nullptr);
    // The settings texts are still the start-up ones.
    EXPECT_EQ(dlg.SettingsText(), "9600,НЕТ,7,2");
}

// A device the user may not open is named once, with the group that opens it, but only when
// no port opened at all: a port found further on is what the operator works with.
TEST_F(MorvikDlgInit, ADeniedDeviceIsExplainedOnlyWhenNoPortOpens) {
    struct Case {
        std::vector<int> denied;
        std::vector<int> busy;
        std::vector<int> usable;
        std::vector<int> named;
    };
    const std::vector<Case> cases = {
        {{1}, {}, {}, {1}},
        {{2, 4}, {1}, {}, {2, 4}},
        {{1}, {}, {3}, {}},
        {{}, {1, 2}, {}, {}},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        RecordingWindow shown;
        CMorvikDlg state(shown, platform.platform);
        for (int n : c.denied) {
            platform.serial.SetDenied(PortPath(n));
        }
        for (int n : c.busy) {
            platform.serial.SetBusy(PortPath(n), true);
        }
        for (int n : c.usable) {
            platform.serial.Add(PortPath(n));
        }
        state.OnInitDialog();
        if (c.named.empty()) {
            EXPECT_TRUE(shown.messages.empty()) << shown.messages.front().text;
            continue;
        }
        ASSERT_EQ(shown.messages.size(), 1u);
        const std::string& text = shown.messages.front().text;
        EXPECT_EQ(shown.messages.front().caption, "Ошибка");
        EXPECT_NE(text.find("Нет доступа к порту"), std::string::npos) << text;
        EXPECT_NE(text.find("dialout"), std::string::npos) << text;
        for (int n = 1; n <= 8; ++n) {
            const bool named = std::count(c.named.begin(), c.named.end(), n) != 0;
            EXPECT_EQ(text.find(PortPath(n)) != std::string::npos, named) << n << ": " << text;
        }
        EXPECT_EQ(state.m_port.m_strPortName, "НЕТ");
    }
}

TEST_F(MorvikDlgInit, AnExistingLogFolderPassesSilently) {
    ASSERT_TRUE(fake.paths.CreateFolder(fake.paths.LogFolder()));
    EXPECT_EQ(dlg.OnInitDialog(), TRUE);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MorvikDlgInit, ApplySerialSettingsSetsTheTextsAndConfigures) {
    auto& com1 = fake.serial.Add(PortPath(1));
    com1.RefuseSettings([](const LineSettings& s) { return s.baudRate == 0; });
    dlg.OnInitDialog();

    dlg.ApplySerialSettings(138);
    EXPECT_EQ(dlg.SettingsText(), "115200,НЕТ,8,1");
    EXPECT_EQ(dlg.m_b8Bit, TRUE);
    EXPECT_EQ(com1.Settings(), (LineSettings{115200, 8, Parity::None, StopBits::One, false, true}));

    dlg.ApplySerialSettings(97);
    EXPECT_EQ(dlg.SettingsText(), ",НЕЧЕТ,7,1");
    EXPECT_EQ(dlg.m_b8Bit, FALSE);
    EXPECT_EQ(com1.Settings().baudRate, 115200u);  // refused: the port keeps its settings
}

}  // namespace
}  // namespace vantor
