#pragma once

// Identifiers of the controls the program addresses, for every dialog, in one place. An
// identifier belongs to its dialog, not to the program: the main dialog and the Modbus page both
// have a control 1090. The templates in res/ place the controls; a GUI test holds every binding
// table against them.
namespace vantor::ctl {

// --- The main dialog --------------------------------------------------------------------------

// Tab strip and protocol choice.
constexpr int kFileTab = 1107;
constexpr int kPortTab = 1110;
constexpr int kModbusTab = 1111;
constexpr int kNominalTab = 1112;
constexpr int kIecTab = 1113;
constexpr int kModbusRadio = 1125;
constexpr int kIecRadio = 1123;

// Measured quantities: the name label and the value field of each.
constexpr int kIaLabel = 1014;
constexpr int kIaField = 1015;
constexpr int kIbLabel = 1016;
constexpr int kIbField = 1017;
constexpr int kIcLabel = 1018;
constexpr int kIcField = 1019;
constexpr int kIcpLabel = 1020;
constexpr int kIcpField = 1021;
constexpr int kIoLabel = 1028;
constexpr int kIoField = 1029;
constexpr int kUaLabel = 1004;
constexpr int kUaField = 1005;
constexpr int kUbLabel = 1006;
constexpr int kUbField = 1007;
constexpr int kUcLabel = 1008;
constexpr int kUcField = 1009;
constexpr int kUfcpLabel = 1010;
constexpr int kUfcpField = 1011;
constexpr int kUcpLabel = 1012;
constexpr int kUcpField = 1013;
constexpr int kUoLabel = 1025;
constexpr int kUoField = 1026;
constexpr int kUabLabel = 1063;
constexpr int kUabField = 1064;
constexpr int kUbcLabel = 1065;
constexpr int kUbcField = 1066;
constexpr int kUcaLabel = 1067;
constexpr int kUcaField = 1068;
constexpr int kPaLabel = 1030;
constexpr int kPaField = 1031;
constexpr int kPbLabel = 1032;
constexpr int kPbField = 1033;
constexpr int kPcLabel = 1034;
constexpr int kPcField = 1035;
constexpr int kPLabel = 1038;
constexpr int kPField = 1039;
constexpr int kQaLabel = 1042;
constexpr int kQaField = 1043;
constexpr int kQbLabel = 1044;
constexpr int kQbField = 1045;
constexpr int kQcLabel = 1046;
constexpr int kQcField = 1047;
constexpr int kQLabel = 1048;
constexpr int kQField = 1049;
constexpr int kSaLabel = 1056;
constexpr int kSaField = 1057;
constexpr int kSbLabel = 1058;
constexpr int kSbField = 1059;
constexpr int kScLabel = 1060;
constexpr int kScField = 1061;
constexpr int kSLabel = 1036;
constexpr int kSField = 1062;
constexpr int kQfaLabel = 1070;
constexpr int kQfaField = 1071;
constexpr int kQfbLabel = 1072;
constexpr int kQfbField = 1073;
constexpr int kQfcLabel = 1074;
constexpr int kQfcField = 1075;
constexpr int kFrequencyField = 1053;

// Further value fields.
constexpr int kQfField = 1077;
constexpr int kSlaField = 1080;
constexpr int kSlbField = 1082;
constexpr int kSlcField = 1084;
constexpr int kSlField = 1086;
constexpr int kCosAField = 1102;
constexpr int kCosBField = 1104;
constexpr int kCosCField = 1106;
constexpr int kI1Field = 1087;
constexpr int kI2Field = 1089;

// Polling, recording and the commands.
constexpr int kPeriodEdit = 1090;
constexpr int kMinPeriodEdit = 1091;
constexpr int kRecTimeEdit = 1092;
constexpr int kRemainEdit = 1093;
constexpr int kStartButton = 1094;
constexpr int kStopButton = 1095;
constexpr int kDeviceTimeField = 1096;
constexpr int kSaveCheck = 1097;
constexpr int kAsduTypeField = 1098;
constexpr int kPcTimeField = 1099;
constexpr int kRequestsField = 1051;
constexpr int kAnswersField = 1052;
constexpr int kDefaultButton = 1050;
constexpr int kRecTimeCheck = 1118;
constexpr int kPhysicalCheck = 1114;
constexpr int kGroupCombo = 1127;
constexpr int kSyncClockButton = 1130;
constexpr int kGroupPollRadio = 1132;
constexpr int kReadRadio = 1133;
constexpr int kLinkReadRadio = 1134;
constexpr int kFcbOffRadio = 1136;
constexpr int kFcbOnRadio = 1137;
constexpr int kMeasureDelayButton = 1138;
constexpr int kDelayField = 1139;

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

// --- The settings pages and the about box -------------------------------------------------------

namespace vantor::ctl::file {
constexpr int kOpenLabel = 1108;
constexpr int kFileNameEdit = 1109;
}  // namespace vantor::ctl::file

namespace vantor::ctl::port {
constexpr int kPortList = 1023;
constexpr int kParityList = 1087;
constexpr int kStopBitsList = 1088;
constexpr int kBaudList = 1089;
}  // namespace vantor::ctl::port

namespace vantor::ctl::modbus {
constexpr int kAsciiRadio = 1090;
constexpr int kAddressEdit = 1091;
constexpr int kRtuRadio = 1092;
constexpr int kAddressSpin = 1093;
}  // namespace vantor::ctl::modbus

namespace vantor::ctl::nominal {
constexpr int kVoltageList = 1098;
constexpr int kCurrentList = 1099;
}  // namespace vantor::ctl::nominal

namespace vantor::ctl::iec {
constexpr int kAddressEdit = 1119;
constexpr int kAsduSizeList = 1120;
constexpr int kIoaSizeList = 1121;
constexpr int kCotSizeList = 1122;
constexpr int kFixedFrameEdit = 1124;
}  // namespace vantor::ctl::iec

namespace vantor::ctl::about {
constexpr int kOkButton = 1;
}  // namespace vantor::ctl::about

namespace vantor {

constexpr unsigned kPollTimer = 1;
constexpr unsigned kRecordTimer = 2;

}  // namespace vantor
