#pragma once

#include "res/DialogTemplate.h"

namespace vantor::res {

constexpr int kAboutTemplateId = 100;
constexpr int kMainTemplateId = 102;
constexpr int kFilePageTemplateId = 131;
constexpr int kPortPageTemplateId = 132;
constexpr int kModbusPageTemplateId = 134;
constexpr int kNominalPageTemplateId = 135;
constexpr int kIecPageTemplateId = 137;

const DialogTemplate& AboutTemplate();
const DialogTemplate& MainTemplate();
const DialogTemplate& FilePageTemplate();
const DialogTemplate& PortPageTemplate();
const DialogTemplate& ModbusPageTemplate();
const DialogTemplate& NominalPageTemplate();
const DialogTemplate& IecPageTemplate();

}  // namespace vantor::res
