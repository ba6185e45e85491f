#include "res/Templates.h"

namespace vantor::res {

namespace {

using K = ControlKind;

// Controls in tab order. Group boxes come before what they frame; the builder keeps them
// beneath it.
std::vector<ControlSpec> MainControls() {
    return {
        // Tab strip.
        {1107, K::Text, "Файл", {5, 5, 30, 10}, kGroup | kCentred | kNotify | kTabStop, {}},
        {1110, K::Text, "RS-485", {38, 5, 35, 10}, kGroup | kCentred | kNotify, {}},
        {1111, K::Text, "ModBus", {75, 5, 40, 10}, kGroup | kCentred | kNotify, {}},
        {1113, K::Text, "МЭК-101", {120, 5, 40, 10}, kGroup | kCentred | kNotify, {}},
        {1112, K::Text, "Номинальные значения", {170, 5, 85, 10}, kGroup | kCentred | kNotify, {}},
        {1125, K::RadioButton, "ModBus", {295, 5, 42, 10}, kGroup, {}},
        {1123, K::RadioButton, "МЭК-101", {355, 5, 55, 10}, kPlain, {}},

        // Currents.
        {1003, K::GroupBox, "Ток", {5, 25, 100, 107}, kGroup | kCentred, {}},
        {1014, K::Text, "Ia", {15, 45, 15, 12}, kPlain, {}},
        {1015, K::Edit, "", {51, 45, 45, 12}, kReadOnly, {}},
        {1016, K::Text, "Ib", {15, 61, 15, 12}, kPlain, {}},
        {1017, K::Edit, "", {51, 61, 45, 12}, kReadOnly, {}},
        {1018, K::Text, "Ic", {15, 77, 15, 12}, kPlain, {}},
        {1019, K::Edit, "", {51, 77, 45, 12}, kReadOnly, {}},
        {1020, K::Text, "Icp", {15, 96, 21, 12}, kPlain, {}},
        {1021, K::Edit, "", {51, 96, 45, 12}, kReadOnly, {}},
        {1028, K::Text, "Io", {15, 114, 15, 12}, kPlain, {}},
        {1029, K::Edit, "", {51, 114, 45, 12}, kReadOnly, {}},

        // Voltages.
        {1002, K::GroupBox, "Напряжение", {110, 25, 205, 107}, kGroup | kCentred, {}},
        {1004, K::Text, "Ua", {116, 46, 16, 12}, kPlain, {}},
        {1005, K::Edit, "", {156, 45, 45, 12}, kReadOnly, {}},
        {1006, K::Text, "Ub", {116, 62, 16, 12}, kPlain, {}},
        {1007, K::Edit, "", {156, 61, 45, 12}, kReadOnly, {}},
        {1008, K::Text, "Uc", {116, 78, 16, 12}, kPlain, {}},
        {1009, K::Edit, "", {156, 77, 45, 12}, kReadOnly, {}},
        {1010, K::Text, "Uф.cp", {116, 97, 40, 12}, kPlain, {}},
        {1011, K::Edit, "", {156, 96, 45, 12}, kReadOnly, {}},
        {1025, K::Text, "Uo", {116, 115, 16, 17}, kPlain, {}},
        {1026, K::Edit, "", {156, 114, 45, 12}, kReadOnly, {}},
        {1063, K::Text, "Uab", {220, 45, 26, 12}, kPlain, {}},
        {1064, K::Edit, "", {261, 45, 45, 12}, kReadOnly, {}},
        {1065, K::Text, "Ubc", {220, 61, 32, 12}, kPlain, {}},
        {1066, K::Edit, "", {261, 61, 45, 12}, kReadOnly, {}},
        {1067, K::Text, "Uca", {220, 78, 26, 12}, kPlain, {}},
        {1068, K::Edit, "", {261, 77, 45, 12}, kReadOnly, {}},
        {1012, K::Text, "Ucp", {220, 97, 26, 12}, kPlain, {}},
        {1013, K::Edit, "", {262, 96, 45, 12}, kReadOnly, {}},

        // Frequency, data format, start and stop, transformer ratios.
        {1037, K::GroupBox, "Частота", {320, 25, 110, 45}, kGroup | kCentred, {}},
        {1053, K::Edit, "", {370, 45, 45, 12}, kReadOnly, {}},
        {kNoId, K::GroupBox, "Формат данных", {320, 72, 60, 43}, kGroup | kCentred, {}},
        {1114, K::PushCheckBox, "Код", {327, 90, 45, 12}, kPlain, {}},
        {1094, K::PushButton, "Старт", {385, 75, 45, 12}, kPlain, {}},
        {1097, K::CheckBox, "Сохранить", {385, 90, 50, 10}, kPlain, {}},
        {1095, K::PushButton, "Стоп", {385, 103, 45, 12}, kPlain, {}},
        {1143, K::GroupBox, "Коэф. трансформации", {320, 120, 112, 24}, kHidden | kCentred, {}},
        {1141, K::Text, "", {330, 132, 44, 8}, kPlain, {}},
        {1142, K::Text, "", {384, 132, 44, 8}, kPlain, {}},
        {1050, K::DefaultButton, "Default", {301, 132, 10, 5}, kHidden, {}},

        // Powers.
        {1027, K::GroupBox, "Активная мощность", {6, 147, 100, 90}, kGroup | kCentred, {}},
        {1030, K::Text, "Pa", {16, 168, 14, 12}, kPlain, {}},
        {1031, K::Edit, "", {42, 168, 55, 12}, kReadOnly, {}},
        {1032, K::Text, "Pb", {16, 184, 20, 12}, kPlain, {}},
        {1033, K::Edit, "", {42, 184, 55, 12}, kReadOnly, {}},
        {1034, K::Text, "Pc", {16, 201, 14, 12}, kPlain, {}},
        {1035, K::Edit, "", {42, 200, 55, 12}, kReadOnly, {}},
        {1038, K::Text, "P", {16, 218, 14, 12}, kPlain, {}},
        {1039, K::Edit, "", {42, 218, 55, 12}, kReadOnly, {}},
        {1041, K::GroupBox, "Реактивная мощность", {111, 147, 100, 90}, kGroup | kCentred, {}},
        {1042, K::Text, "Qa", {121, 168, 17, 12}, kPlain, {}},
        {1043, K::Edit, "", {150, 168, 52, 12}, kReadOnly, {}},
        {1044, K::Text, "Qb", {121, 184, 17, 12}, kPlain, {}},
        {1045, K::Edit, "", {150, 184, 52, 12}, kReadOnly, {}},
        {1046, K::Text, "Qc", {121, 201, 17, 12}, kPlain, {}},
        {1047, K::Edit, "", {150, 201, 52, 12}, kReadOnly, {}},
        {1048, K::Text, "Q", {121, 218, 17, 12}, kPlain, {}},
        {1049, K::Edit, "", {150, 218, 52, 12}, kReadOnly, {}},
        {1055, K::GroupBox, "Полная мощность", {216, 147, 100, 90}, kGroup | kCentred, {}},
        {1056, K::Text, "Sa", {226, 168, 14, 12}, kPlain, {}},
        {1057, K::Edit, "", {252, 167, 55, 12}, kReadOnly, {}},
        {1058, K::Text, "Sb", {226, 184, 20, 14}, kPlain, {}},
        {1059, K::Edit, "", {252, 184, 55, 12}, kReadOnly, {}},
        {1060, K::Text, "Sc", {226, 201, 20, 15}, kPlain, {}},
        {1061, K::Edit, "", {252, 201, 55, 12}, kReadOnly, {}},
        {1036, K::Text, "S", {226, 218, 20, 16}, kPlain, {}},
        {1062, K::Edit, "", {252, 218, 55, 12}, kReadOnly, {}},
        {1054, K::GroupBox, "Реактивная мощность", {321, 147, 110, 90}, kGroup | kCentred, {}},
        {1070, K::Text, "Qfa", {331, 168, 23, 12}, kPlain, {}},
        {1071, K::Edit, "", {360, 167, 56, 12}, kReadOnly, {}},
        {1072, K::Text, "Qfb", {331, 184, 23, 14}, kPlain, {}},
        {1073, K::Edit, "", {360, 184, 56, 12}, kReadOnly, {}},
        {1074, K::Text, "Qfc", {331, 201, 23, 15}, kPlain, {}},
        {1075, K::Edit, "", {360, 201, 56, 12}, kReadOnly, {}},

        // Polling, recording, clock and the IEC 60870-5-101 request mode.
        {kNoId, K::Text, "Период опроса. мс", {6, 247, 70, 10}, kGroup, {}},
        {1090, K::Edit, "", {81, 247, 45, 12}, kPlain, {}},
        {1139, K::Edit, "", {157, 247, 25, 12}, kReadOnly, {}},
        {kNoId, K::Text, "мc", {187, 248, 12, 10}, kPlain, {}},
        {1138, K::PushButton, "Определение запаздывания", {201, 242, 70, 20}, kTwoLines, {}},
        {1132, K::RadioButton, "Опрос группы", {291, 252, 65, 10}, kGroup, {}},
        {1133, K::RadioButton, "Чтение (102)", {371, 252, 55, 10}, kPlain, {}},
        {1134, K::RadioButton, "Чтение на канальном уровне", {371, 272, 60, 30}, kTwoLines, {}},
        {kNoId, K::Text, "Время преобразователя (GMT)", {6, 272, 110, 10}, kGroup, {}},
        {1096, K::Edit, "", {126, 272, 55, 12}, kReadOnly, {}},
        {1130, K::PushButton, "Синхронизировать часы", {201, 267, 70, 20}, kTwoLines, {}},
        {1127,
         K::DropList,
         "",
         {291, 272, 45, 155},
         kGroup,
         {"Общий", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
          "16"}},
        {kNoId, K::Text, "Время компьютера (GMT)", {6, 292, 90, 10}, kPlain, {}},
        {1099, K::Edit, "", {126, 292, 55, 12}, kReadOnly, {}},
        {kNoId, K::Text, "ASDU", {301, 297, 20, 10}, kPlain, {}},
        {1098, K::Edit, "", {291, 312, 45, 12}, kReadOnly, {}},
        {1118, K::CheckBox, "Время записи", {6, 312, 65, 10}, kGroup, {}},
        {1092, K::Edit, "", {81, 312, 45, 12}, kReadOnly, {}},
        {kNoId, K::Text, "Осталось", {136, 312, 35, 10}, kPlain, {}},
        {1093, K::Edit, "", {181, 312, 45, 12}, kReadOnly, {}},

        // Never shown: they only take part in the data exchange.
        {kNoId, K::Text, "Минимальный период опроса, мс", {6, 230, 110, 10}, kHidden | kGroup, {}},
        {1091, K::Edit, "", {126, 230, 45, 12}, kHidden | kReadOnly, {}},
        {kNoId, K::Text, "запрос", {181, 230, 25, 10}, kHidden, {}},
        {1051, K::Edit, "", {206, 230, 30, 12}, kHidden, {}},
        {kNoId, K::Text, "ответ", {241, 230, 25, 10}, kHidden, {}},
        {1052, K::Edit, "", {266, 230, 30, 12}, kHidden, {}},
        {1076, K::Text, "Qf", {331, 218, 23, 12}, kHidden, {}},
        {1077, K::Edit, "", {360, 218, 56, 12}, kHidden | kReadOnly, {}},
        {1078, K::GroupBox, "Полная мощность (Sl), ВА", {5, 147, 100, 90}, kHidden | kCentred, {}},
        {1079, K::Text, "Фаза А", {15, 168, 30, 12}, kHidden, {}},
        {1080, K::Edit, "", {45, 168, 50, 12}, kHidden | kReadOnly, {}},
        {1081, K::Text, "Фаза B", {15, 184, 30, 12}, kHidden, {}},
        {1082, K::Edit, "", {45, 184, 50, 12}, kHidden | kReadOnly, {}},
        {1083, K::Text, "Фаза C", {15, 201, 30, 12}, kHidden, {}},
        {1084, K::Edit, "", {45, 201, 50, 12}, kHidden | kReadOnly, {}},
        {1085, K::Text, "Sl", {15, 218, 30, 12}, kHidden, {}},
        {1086, K::Edit, "", {45, 218, 50, 12}, kHidden | kReadOnly, {}},
        {1100, K::GroupBox, "COSф", {110, 147, 100, 90}, kHidden | kCentred, {}},
        {1101, K::Text, "Фаза А", {120, 168, 30, 12}, kHidden, {}},
        {1102, K::Edit, "", {150, 168, 50, 12}, kHidden | kReadOnly, {}},
        {1103, K::Text, "Фаза B", {120, 184, 30, 12}, kHidden, {}},
        {1104, K::Edit, "", {150, 184, 50, 12}, kHidden | kReadOnly, {}},
        {1105, K::Text, "Фаза C", {120, 201, 30, 12}, kHidden, {}},
        {1106, K::Edit, "", {150, 201, 50, 12}, kHidden | kReadOnly, {}},
        {1069, K::Text, "I1", {15, 132, 15, 12}, kHidden, {}},
        {1087, K::Edit, "", {30, 132, 30, 12}, kHidden | kReadOnly, {}},
        {1088, K::Text, "I2", {60, 132, 15, 12}, kHidden, {}},
        {1089, K::Edit, "", {75, 132, 30, 12}, kHidden | kReadOnly, {}},
        {1040, K::GroupBox, "Междуфазное напряжение, В", {215, 35, 95, 80}, kHidden | kCentred, {}},
        {1115, K::Spin, "", {420, 45, 10, 12}, kHidden, {}},
        {1136, K::RadioButton, "OFF", {385, 230, 20, 10}, kHidden | kGroup, {}},
        {1137, K::RadioButton, "ON", {410, 230, 20, 10}, kHidden, {}},
    };
}

}  // namespace

const DialogTemplate& MainTemplate() {
    static const DialogTemplate dialog{kMainTemplateId, "Vantor 3 VuRo", 437, 333, MainControls()};
    return dialog;
}

}  // namespace vantor::res
