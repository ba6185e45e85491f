#pragma once

#include <cstdint>
#include <string>

namespace vantor {

// Raw codes to display texts: pure arithmetic and formatting, no working state.

// The raw code of the nominal input.
inline constexpr double kNominalCode = 5000.0;

// Rounds at the first decimal, half away from zero: 2.5 -> 3, -2.5 -> -3, -2.4 -> -2. Values
// beyond the 32-bit range saturate; NaN gives 0.
std::int32_t RoundCode(double x);

// The fewest decimals a physical value may be shortened to.
enum class ShortestPrecision { TwoDecimals, OneDecimal };

// "%.3f", shortened to "%.2f" (then "%.1f" where allowed) while longer than 6 characters.
std::string FormatPhysical(double value, ShortestPrecision shortest);
// "%.0f": the raw-code mode text of any value.
std::string FormatCode(double value);
// "%.3f": the frequency text in physical mode.
std::string FormatFrequency(double hertz);

// The frequency in hertz of a code that may be in thousandths, hundredths, tenths or whole
// hertz, told apart by its size.
double FrequencyHertz(double code);

// Conversion coefficients: the physical value of one raw-code step.
double PhaseVoltageCoefficient(double unom);
double LineVoltageCoefficient(double unom);
double CurrentCoefficient(double inom);
double PhasePowerCoefficient(double unom, double inom);

}  // namespace vantor
