#include "Transducer.h"

#include "iec101/AsduCodec.h"

#include <cmath>
#include <numbers>

namespace vantor::sim {
namespace {

constexpr double kNominal = 5000;
constexpr std::array<double, 3> kPhaseShift = {0, 2 * std::numbers::pi / 3,
                                               4 * std::numbers::pi / 3};

// A slow swing of `amplitude` around 0 with the given period in seconds.
double Swing(double seconds, double period, double amplitude, double shift = 0) {
    return amplitude * std::sin(2 * std::numbers::pi * seconds / period + shift);
}

std::int32_t Code(double value) {
    return static_cast<std::int32_t>(std::lround(value));
}

double Mean(const std::array<double, 3>& v) {
    return (v[0] + v[1] + v[2]) / 3;
}

}  // namespace

Transducer::Transducer(Milliseconds clockOffset)
    : clock_(clockOffset), start_(std::chrono::steady_clock::now()) {}

Reading Transducer::Read() const {
    Reading reading;
    reading.clock = clock_.Now();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    reading.codes = CodesAt(elapsed.count(), reading.clock);
    return reading;
}

KeyCodes Transducer::CodesAt(double t, const SystemTime& clock) {
    std::array<double, 3> u{}, i{}, line{}, p{}, q{}, s{};
    for (std::size_t phase = 0; phase < 3; ++phase) {
        const double shift = kPhaseShift[phase];
        u[phase] = kNominal + 4.0 * static_cast<double>(phase) + Swing(t, 60, 25, shift);
        i[phase] = 0.96 * kNominal + Swing(t, 45, 150, shift);
        const double angle = 0.4 + Swing(t, 90, 0.05, shift);  // cos 0.4 = 0.92
        s[phase] = u[phase] * i[phase] / kNominal;
        p[phase] = s[phase] * std::cos(angle);
        q[phase] = s[phase] * std::sin(angle);
    }
    for (std::size_t phase = 0; phase < 3; ++phase) {
        line[phase] = (u[phase] + u[(phase + 1) % 3]) / 2;
    }
    KeyCodes c{};
    for (std::size_t phase = 0; phase < 3; ++phase) {
        c[0 + phase] = Code(u[phase]);          // Ua Ub Uc
        c[4 + phase] = Code(i[phase]);          // Ia Ib Ic
        c[8 + phase] = Code(line[phase]);       // Uab Ubc Uca
        c[11 + phase] = Code(p[phase]);         // Pa Pb Pc
        c[15 + phase] = Code(q[phase]);         // Qa Qb Qc
        c[19 + phase] = Code(s[phase]);         // Sa Sb Sc
        c[23 + phase] = Code(0.98 * q[phase]);  // Qfa Qfb Qfc
    }
    c[3] = Code(15 + Swing(t, 30, 4));  // Uo
    c[7] = Code(30 + Swing(t, 40, 8));  // Io
    c[14] = Code(Mean(p));              // P: the total power has three times the phase scale
    c[18] = Code(Mean(q));
    c[22] = Code(Mean(s));
    c[26] = Code(50000 + Swing(t, 50, 15));  // f in thousandths of a hertz
    c[27] = Code(Mean(u));                   // Uф.cp
    c[28] = Code(Mean(i));                   // Icp
    c[29] = Code(Mean(line));                // Ucp
    c[kClockMsKey] = MillisecondsOfMinute(clock);
    c[kClockHourMinKey] = clock.hour * 256 + clock.minute;
    return c;
}

std::int32_t ItemCode(const SimItem& item, const Reading& reading) {
    if (item.key) {
        return reading.codes.at(*item.key);
    }
    if (item.name.find("Время (ty)") != std::string::npos) {
        return reading.clock.year;
    }
    if (item.name.find("Время (tmd)") != std::string::npos) {
        return reading.clock.month * 256 + reading.clock.day;
    }
    return 0;
}

ServedCodes CodesServed(const std::vector<SimItem>& items, const std::vector<std::size_t>& which,
                        const Reading& reading) {
    ServedCodes served;
    for (const std::size_t k : which) {
        if (items.at(k).key) {
            served.push_back({*items[k].key, ItemCode(items[k], reading)});
        }
    }
    return served;
}

}  // namespace vantor::sim
