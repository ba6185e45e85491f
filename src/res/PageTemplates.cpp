#include "res/Templates.h"

// The settings pages under the tab strip: captionless panels, each a template of its own.
namespace vantor::res {

namespace {
using K = ControlKind;
}  // namespace

const DialogTemplate& FilePageTemplate() {
    static const DialogTemplate dialog{
        kFilePageTemplateId,
        "",
        77,
        54,
        {
            {1108, K::Text, "Открыть", {23, 10, 30, 9}, kNotify, {}},
            {1109, K::Edit, "", {10, 30, 57, 12}, kReadOnly | kTabStop, {}},
        }};
    return dialog;
}

const DialogTemplate& PortPageTemplate() {
    static const DialogTemplate dialog{
        kPortPageTemplateId,
        "",
        102,
        81,
        {
            {1023,
             K::DropList,
             "",
             {50, 59, 45, 96},
             kSorted | kGroup,
             {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "НЕТ"}},
            {1024, K::Text, "Порт", {10, 61, 25, 10}, kPlain, {}},
            {kNoId, K::Text, "Четность", {10, 14, 35, 10}, kPlain, {}},
            {1087, K::DropList, "", {50, 11, 45, 45}, kPlain, {"ЧЕТ", "НЕЧЕТ", "НЕТ"}},
            {kNoId, K::Text, "Стоп", {10, 29, 20, 10}, kPlain, {}},
            {1088, K::DropList, "", {50, 27, 45, 45}, kPlain, {"1", "2"}},
            {kNoId, K::Text, "бит/с", {10, 45, 20, 10}, kPlain, {}},
            {1089,
             K::DropList,
             "",
             {50, 43, 45, 140},
             kPlain,
             {"1200", "2400", "4800", "9600", "14400", "19200", "38400", "76800"}},
        }};
    return dialog;
}

const DialogTemplate& ModbusPageTemplate() {
    static const DialogTemplate dialog{
        kModbusPageTemplateId,
        "",
        130,
        67,
        {
            {1090, K::RadioButton, "ASCII", {15, 45, 40, 10}, kGroup | kNotify, {}},
            {1092, K::RadioButton, "RTU", {85, 45, 30, 10}, kPlain, {}},
            {kNoId, K::GroupBox, "Режим работы", {5, 35, 120, 25}, kGroup | kCentred, {}},
            {kNoId, K::Text, "Адрес устройства", {10, 10, 65, 10}, kPlain, {}},
            {1091, K::Edit, "", {85, 10, 25, 12}, kTabStop, {}},
            {1093, K::Spin, "", {114, 10, 11, 15}, kPlain, {}},
        }};
    return dialog;
}

const DialogTemplate& NominalPageTemplate() {
    static const DialogTemplate dialog{
        kNominalPageTemplateId,
        "",
        132,
        62,
        {
            {1098, K::DropList, "", {20, 35, 30, 40}, kSorted | kGroup, {"100", "380"}},
            {kNoId,
             K::Text,
             "Номинальное междуфазное напряжение, В",
             {10, 5, 50, 25},
             kCentred | kTwoLines,
             {}},
            {kNoId, K::Text, "Номинальный ток, А", {70, 10, 50, 20}, kCentred | kTwoLines, {}},
            {1099, K::DropList, "", {80, 35, 30, 60}, kSorted, {"5.0", "2.5", "1.0", "0.5"}},
        }};
    return dialog;
}

const DialogTemplate& IecPageTemplate() {
    static const DialogTemplate dialog{
        kIecPageTemplateId,
        "",
        208,
        102,
        {
            {kNoId, K::Text, "Адрес устройства", {5, 10, 65, 10}, kPlain, {}},
            {1119, K::Edit, "", {162, 6, 40, 12}, kTabStop, {}},
            {kNoId, K::Text, "Размер поля \"Адрес ASDU\"", {5, 30, 105, 10}, kPlain, {}},
            {1120, K::DropList, "", {162, 31, 40, 40}, kPlain, {"1", "2"}},
            {kNoId,
             K::Text,
             "Размер поля \"Адрес объекта информации\"",
             {5, 55, 151, 10},
             kPlain,
             {}},
            {1121, K::DropList, "", {162, 56, 40, 40}, kPlain, {"1", "2", "3"}},
            {kNoId, K::Text, "Размер поля \"Причина передачи\"", {5, 80, 127, 10}, kPlain, {}},
            {1122, K::DropList, "", {162, 81, 40, 40}, kPlain, {"1", "2"}},
            {kNoId, K::Text, "Размер фиксированного кадра", {90, 10, 8, 10}, kHidden, {}},
            {1124, K::Edit, "", {115, 10, 6, 12}, kHidden, {}},
        }};
    return dialog;
}

}  // namespace vantor::res
