#include "display/Conversion.h"

#include <cmath>
#include <limits>

#include "text/TextNumbers.h"

namespace vantor {
namespace {

constexpr std::size_t kShortText = 6;

}  // namespace

std::int32_t RoundCode(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    const double whole = std::trunc(x);
    const double firstDecimal = std::trunc((x - whole) * 10.0);
    double rounded = whole;
    if (firstDecimal >= 5.0) {
        rounded += 1.0;
    } else if (firstDecimal <= -5.0) {
        rounded -= 1.0;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (rounded <= kLowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= kHighest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::string FormatPhysical(double value, ShortestPrecision shortest) {
    std::string text = FormatFixed(value, 3);
    if (text.size() > kShortText) {
        text = FormatFixed(value, 2);
    }
    if (shortest == ShortestPrecision::OneDecimal && text.size() > kShortText) {
        text = FormatFixed(value, 1);
    }
    return text;
}

std::string FormatCode(double value) {
    return FormatFixed(value, 0);
}

std::string FormatFrequency(double hertz) {
    return FormatFixed(hertz, 3);
}

double FrequencyHertz(double code) {
    double hertz = code / 1000.0;
    if (code / 100.0 > 10.0 && hertz < 10.0) {
        hertz = code / 100.0;
    }
    if (code / 10.0 > 10.0 && code / 100.0 < 10.0) {
        hertz = code / 10.0;
    }
    if (code < 100.0) {
        hertz = code;
    }
    return hertz;
}

double PhaseVoltageCoefficient(double unom) {
    return unom / std::sqrt(3.0) / kNominalCode;
}

double LineVoltageCoefficient(double unom) {
    return unom / kNominalCode;
}

double CurrentCoefficient(double inom) {
    return inom / kNominalCode;
}

double PhasePowerCoefficient(double unom, double inom) {
    return unom / std::sqrt(3.0) * inom / kNominalCode;
}

}  // namespace vantor
