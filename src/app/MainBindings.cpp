#include "app/MainBindings.h"

#include "polling/ControlIds.h"

namespace vantor {

namespace {

using D = CMorvikDlg;

std::vector<Binding<D>> MakeBindings() {
    return {
        BindControl<D>(ctl::kGroupCombo),
        BindText(ctl::kIaField, &D::m_strIa),
        BindText(ctl::kIbField, &D::m_strIb),
        BindText(ctl::kIcField, &D::m_strIc),
        BindText(ctl::kIcpField, &D::m_strIcp),
        BindText(ctl::kPaField, &D::m_strPa),
        BindText(ctl::kPbField, &D::m_strPb),
        BindText(ctl::kPcField, &D::m_strPc),
        BindText(ctl::kQaField, &D::m_strQa),
        BindText(ctl::kQbField, &D::m_strQb),
        BindText(ctl::kQcField, &D::m_strQc),
        BindText(ctl::kSaField, &D::m_strSa),
        BindText(ctl::kSbField, &D::m_strSb),
        BindText(ctl::kScField, &D::m_strSc),
        BindText(ctl::kIoField, &D::m_strIo),
        BindText(ctl::kUoField, &D::m_strUo),
        BindText(ctl::kSField, &D::m_strS),
        BindText(ctl::kUaField, &D::m_strUa),
        BindText(ctl::kUbField, &D::m_strUb),
        BindText(ctl::kUcField, &D::m_strUc),
        BindText(ctl::kUfcpField, &D::m_strUfcp),
        BindText(ctl::kQField, &D::m_strQ),
        BindText(ctl::kUabField, &D::m_strUab),
        BindText(ctl::kUbcField, &D::m_strUbc),
        BindText(ctl::kUcaField, &D::m_strUca),
        BindText(ctl::kUcpField, &D::m_strUcp),
        BindText(ctl::kPField, &D::m_strP),
        BindUnsigned(ctl::kAnswersField, &D::m_nAnswers),
        BindUnsigned(ctl::kRequestsField, &D::m_nRequests),
        BindText(ctl::kFrequencyField, &D::m_strFreq),
        BindText(ctl::kQfaField, &D::m_strQfa),
        BindText(ctl::kQfbField, &D::m_strQfb),
        BindText(ctl::kQfcField, &D::m_strQfc),
        BindText(ctl::kSlaField, &D::m_strSla),
        BindText(ctl::kSlbField, &D::m_strSlb),
        BindText(ctl::kSlcField, &D::m_strSlc),
        BindText(ctl::kQfField, &D::m_strQf),
        BindText(ctl::kSlField, &D::m_strSl),
        BindCheck(ctl::kSaveCheck, &D::m_bSave),
        BindText(ctl::kCosAField, &D::m_strCosA),
        BindText(ctl::kCosBField, &D::m_strCosB),
        BindText(ctl::kCosCField, &D::m_strCosC),
        BindText(ctl::kI1Field, &D::m_strI1),
        BindText(ctl::kI2Field, &D::m_strI2),
        BindCheck(ctl::kPhysicalCheck, &D::m_bPhysical),
        BindUnsigned(ctl::kPeriodEdit, &D::m_nPeriod),
        BindUnsigned(ctl::kMinPeriodEdit, &D::m_nMinPeriod),
        BindText(ctl::kRecTimeEdit, &D::m_strRecTime),
        BindCheck(ctl::kRecTimeCheck, &D::m_bRecTime),
        BindText(ctl::kRemainEdit, &D::m_strRemain),
        BindRadio({ctl::kModbusRadio, ctl::kIecRadio}, &D::m_nProtocol),
        BindText(ctl::kDeviceTimeField, &D::m_strDevTime),
        BindRadio({ctl::kGroupPollRadio, ctl::kReadRadio, ctl::kLinkReadRadio}, &D::m_nIecMode),
        BindText(ctl::kAsduTypeField, &D::m_strAsdu),
        BindRadio({ctl::kFcbOffRadio, ctl::kFcbOnRadio}, &D::m_nFcb),
        BindText(ctl::kDelayField, &D::m_strDelay),
        BindText(ctl::kPcTimeField, &D::m_strPcTime),
    };
}

}  // namespace

const std::vector<Binding<CMorvikDlg>>& MainBindings() {
    static const std::vector<Binding<CMorvikDlg>> bindings = MakeBindings();
    return bindings;
}

}  // namespace vantor
