#pragma once

// Identifiers of the main dialog's controls that the working state addresses directly.
namespace vantor::ctl {

constexpr int kFileTab = 1107;
constexpr int kPortTab = 1110;
constexpr int kModbusTab = 1111;
constexpr int kNominalTab = 1112;
constexpr int kIecTab = 1113;

constexpr int kPeriodEdit = 1090;
constexpr int kMinPeriodEdit = 1091;
constexpr int kRecTimeEdit = 1092;
constexpr int kRemainEdit = 1093;
constexpr int kStartButton = 1094;
constexpr int kStopButton = 1095;
constexpr int kSaveCheck = 1097;
constexpr int kRecTimeCheck = 1118;
constexpr int kPhysicalCheck = 1114;
constexpr int kGroupCombo = 1127;
constexpr int kSyncClockButton = 1130;
constexpr int kMeasureDelayButton = 1138;

// Group boxes whose captions carry the units.
constexpr int kCurrentGroup = 1003;
constexpr int kVoltageGroup = 1002;
constexpr int kActivePowerGroup = 1027;
constexpr int kReactivePowerGroup = 1041;
constexpr int kApparentPowerGroup = 1055;
constexpr int kQfGroup = 1054;
constexpr int kFrequencyGroup = 1037;
constexpr int kKnText = 1141;
constexpr int kKtText = 1142;
constexpr int kRatioGroup = 1143;

}  // namespace vantor::ctl

namespace vantor {

constexpr unsigned kPollTimer = 1;
constexpr unsigned kRecordTimer = 2;

}  // namespace vantor
