#include "pages/MinPeriod.h"

#include "polling/MorvikDlg.h"
#include "text/TextNumbers.h"

namespace vantor {

namespace {

constexpr long long kOverheadCharacters = 11;
constexpr long long kBitsScale = 10000;
constexpr long long kRoundingStep = 50;

std::optional<long long> TransferTime(std::size_t itemStrings, std::size_t stringsPerUnit,
                                      const std::string& baud, bool eightBit) {
    const long long rate = ParseIntText(baud);
    if (rate <= 0) {
        return std::nullopt;
    }
    const auto units = static_cast<long long>(itemStrings / stringsPerUnit);
    long long time = (units + kOverheadCharacters) * kBitsScale / rate;
    time *= 2;
    if (!eightBit) {
        time *= 2;
    }
    return time / kRoundingStep * kRoundingStep;
}

}  // namespace

std::optional<unsigned> PortPageMinPeriod(std::size_t itemStrings, const std::string& baud,
                                          bool eightBit) {
    const auto time = TransferTime(itemStrings, 3, baud, eightBit);
    if (!time) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*time + 100);
}

std::optional<unsigned> ModbusPageMinPeriod(std::size_t itemStrings, const std::string& baud,
                                            bool eightBit, bool rtu) {
    const auto time = TransferTime(itemStrings, 2, baud, eightBit);
    if (!time) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*time + (rtu ? 100 : 50));
}

void RaisePollPeriod(CMorvikDlg& dlg, IDialogWindow& window, unsigned minPeriod) {
    dlg.m_nMinPeriod = minPeriod;
    window.SetControlText(ctl::kMinPeriodEdit, std::to_string(dlg.m_nMinPeriod));
    if (dlg.m_nPeriod < dlg.m_nMinPeriod) {
        dlg.m_nPeriod = dlg.m_nMinPeriod;
    }
    window.SetControlText(ctl::kPeriodEdit, std::to_string(dlg.m_nPeriod));
}

}  // namespace vantor
