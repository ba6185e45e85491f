#include "app/MainBindings.h"

namespace vantor {

namespace {

using D = CMorvikDlg;

std::vector<Binding<D>> MakeBindings() {
    return {
        BindControl<D>(1127),
        BindText(1015, &D::m_strIa),
        BindText(1017, &D::m_strIb),
        BindText(1019, &D::m_strIc),
        BindText(1021, &D::m_strIcp),
        BindText(1031, &D::m_strPa),
        BindText(1033, &D::m_strPb),
        BindText(1035, &D::m_strPc),
        BindText(1043, &D::m_strQa),
        BindText(1045, &D::m_strQb),
        BindText(1047, &D::m_strQc),
        BindText(1057, &D::m_strSa),
        BindText(1059, &D::m_strSb),
        BindText(1061, &D::m_strSc),
        BindText(1029, &D::m_strIo),
        BindText(1026, &D::m_strUo),
        BindText(1062, &D::m_strS),
        BindText(1005, &D::m_strUa),
        BindText(1007, &D::m_strUb),
        BindText(1009, &D::m_strUc),
        BindText(1011, &D::m_strUfcp),
        BindText(1049, &D::m_strQ),
        BindText(1064, &D::m_strUab),
        BindText(1066, &D::m_strUbc),
        BindText(1068, &D::m_strUca),
        BindText(1013, &D::m_strUcp),
        BindText(1039, &D::m_strP),
        BindUnsigned(1052, &D::m_nAnswers),
        BindUnsigned(1051, &D::m_nRequests),
        BindText(1053, &D::m_strFreq),
        BindText(1071, &D::m_strQfa),
        BindText(1073, &D::m_strQfb),
        BindText(1075, &D::m_strQfc),
        BindText(1080, &D::m_strSla),
        BindText(1082, &D::m_strSlb),
        BindText(1084, &D::m_strSlc),
        BindText(1077, &D::m_strQf),
        BindText(1086, &D::m_strSl),
        BindCheck(1097, &D::m_bSave),
        BindText(1102, &D::m_strCosA),
        BindText(1104, &D::m_strCosB),
        BindText(1106, &D::m_strCosC),
        BindText(1087, &D::m_strI1),
        BindText(1089, &D::m_strI2),
        BindCheck(1114, &D::m_bPhysical),
        BindUnsigned(1090, &D::m_nPeriod),
        BindUnsigned(1091, &D::m_nMinPeriod),
        BindText(1092, &D::m_strRecTime),
        BindCheck(1118, &D::m_bRecTime),
        BindText(1093, &D::m_strRemain),
        BindRadio({1125, 1123}, &D::m_nProtocol),
        BindText(1096, &D::m_strDevTime),
        BindRadio({1132, 1133, 1134}, &D::m_nIecMode),
        BindText(1098, &D::m_strAsdu),
        BindRadio({1136, 1137}, &D::m_nFcb),
        BindText(1139, &D::m_strDelay),
        BindText(1099, &D::m_strPcTime),
    };
}

}  // namespace

const std::vector<Binding<CMorvikDlg>>& MainBindings() {
    static const std::vector<Binding<CMorvikDlg>> bindings = MakeBindings();
    return bindings;
}

}  // namespace vantor
