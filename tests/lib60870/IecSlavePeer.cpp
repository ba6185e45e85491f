// A standard unbalanced IEC 60870-5-101 secondary built on the independent library, for the
// tests only: the library's own link layer with its defaults, the demonstration configuration's
// field sizes, and the objects the test names. Confirmations, terminations, interrogation data
// and read answers wait in class 1; periodic and background-scan values arrive in class 2 at the
// slave's own pace, so class 2 requests between them get "no data".
//
//   vantor3-iec-slave --port PATH --address 5 --type 9|10|21 --sq 0|1
//                     --values 1000,1100,... --groups 21,21,...
//
// Object k has the address k, the code values[k] and the interrogation group groups[k]. It
// prints "ready", then one line per command it took: "interrogation <qoi>", "deactivation",
// "read <ioa>", "clock <offset> ms" (the time received against the computer's UTC clock) and
// "delay received <ms> ms".
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cs101_slave.h"
#include "hal_time.h"

namespace {

constexpr int kBaud = 9600;
constexpr int kClass2PeriodMs = 150;
constexpr int kMinuteMs = 60000;

struct SlaveOptions {
    std::string port;
    int address = 5;
    int type = M_ME_NA_1;
    bool sequence = false;
    std::vector<int> values;
    std::vector<int> groups;
};

std::vector<int> NumberList(const std::string& text) {
    std::vector<int> numbers;
    std::stringstream in(text);
    for (std::string field; std::getline(in, field, ',');) {
        numbers.push_back(std::atoi(field.c_str()));
    }
    return numbers;
}

bool ParseArguments(int argc, char** argv, SlaveOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--port") {
            options.port = value;
        } else if (name == "--address") {
            options.address = std::atoi(value.c_str());
        } else if (name == "--type") {
            options.type = std::atoi(value.c_str());
        } else if (name == "--sq") {
            options.sequence = value == "1";
        } else if (name == "--values") {
            options.values = NumberList(value);
        } else if (name == "--groups") {
            options.groups = NumberList(value);
        } else {
            return false;
        }
    }
    const bool knownType =
        options.type == M_ME_NA_1 || options.type == M_ME_TA_1 || options.type == M_ME_ND_1;
    return !options.port.empty() && knownType && options.values.size() == options.groups.size();
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class Station {
public:
    explicit Station(const SlaveOptions& options) : options_(options) {}

    // The values of the objects chosen by `wanted`, in one ASDU of the configured type.
    template <typename Wanted>
    CS101_ASDU Values(CS101_AppLayerParameters parameters, int cause, Wanted wanted) const {
        CS101_ASDU asdu = CS101_ASDU_create(parameters, options_.sequence,
                                            static_cast<CS101_CauseOfTransmission>(cause), 0,
                                            options_.address, false, false);
        for (std::size_t k = 0; k < options_.values.size(); ++k) {
            if (wanted(k)) {
                InformationObject object = Object(static_cast<int>(k));
                CS101_ASDU_addInformationObject(asdu, object);
                InformationObject_destroy(object);
            }
        }
        return asdu;
    }

    int Group(std::size_t k) const { return options_.groups[k]; }
    std::size_t Count() const { return options_.values.size(); }

private:
    InformationObject Object(int k) const {
        // The library scales normalised values by 32768, so this puts the code on the line.
        const float value =
            static_cast<float>(options_.values[static_cast<std::size_t>(k)]) / 32768.0f;
        switch (options_.type) {
            case M_ME_TA_1: {
                sCP24Time2a stamp{};
                const auto now = Hal_getTimeInMs();
                CP24Time2a_setMillisecond(&stamp, static_cast<int>(now % 1000));
                CP24Time2a_setSecond(&stamp, static_cast<int>(now / 1000 % 60));
                CP24Time2a_setMinute(&stamp, static_cast<int>(now / kMinuteMs % 60));
                return reinterpret_cast<InformationObject>(
                    MeasuredValueNormalizedWithCP24Time2a_create(nullptr, k, value,
                                                                 IEC60870_QUALITY_GOOD, &stamp));
            }
            case M_ME_ND_1:
                return reinterpret_cast<InformationObject>(
                    MeasuredValueNormalizedWithoutQuality_create(nullptr, k, value));
            default:
                return reinterpret_cast<InformationObject>(
                    MeasuredValueNormalized_create(nullptr, k, value, IEC60870_QUALITY_GOOD));
        }
    }

    const SlaveOptions& options_;
};

bool OnInterrogation(void* parameter, IMasterConnection connection, CS101_ASDU asdu, uint8_t qoi) {
    const auto& station = *static_cast<const Station*>(parameter);
    if (CS101_ASDU_getCOT(asdu) == CS101_COT_DEACTIVATION) {
        // Every interrogation has ended by the time it is answered: nothing to deactivate.
        Say("deactivation");
        CS101_ASDU_setCOT(asdu, CS101_COT_DEACTIVATION_CON);
        CS101_ASDU_setNegative(asdu, true);
        IMasterConnection_sendASDU(connection, asdu);
        return true;
    }
    Say("interrogation " + std::to_string(qoi));
    IMasterConnection_sendACT_CON(connection, asdu, false);
    CS101_ASDU values = station.Values(
        IMasterConnection_getApplicationLayerParameters(connection), qoi, [&](std::size_t k) {
            return qoi == CS101_COT_INTERROGATED_BY_STATION || station.Group(k) == qoi;
        });
    IMasterConnection_sendASDU(connection, values);
    CS101_ASDU_destroy(values);
    IMasterConnection_sendACT_TERM(connection, asdu);
    return true;
}

bool OnRead(void* parameter, IMasterConnection connection, CS101_ASDU asdu, int ioa) {
    const auto& station = *static_cast<const Station*>(parameter);
    Say("read " + std::to_string(ioa));
    if (ioa < 0 || static_cast<std::size_t>(ioa) >= station.Count()) {
        CS101_ASDU_setCOT(asdu, CS101_COT_UNKNOWN_IOA);
        CS101_ASDU_setNegative(asdu, true);
        IMasterConnection_sendASDU(connection, asdu);
        return true;
    }
    CS101_ASDU values = station.Values(
        IMasterConnection_getApplicationLayerParameters(connection), CS101_COT_REQUEST,
        [&](std::size_t k) { return k >= static_cast<std::size_t>(ioa); });
    IMasterConnection_sendASDU(connection, values);
    CS101_ASDU_destroy(values);
    return true;
}

bool OnClockSync(void*, IMasterConnection, CS101_ASDU, CP56Time2a time) {
    const auto received = static_cast<long long>(CP56Time2a_toMsTimestamp(time));
    const auto now = static_cast<long long>(Hal_getTimeInMs());
    Say("clock " + std::to_string(received - now) + " ms");
    return true;  // the library confirms it in class 1
}

// The activation is confirmed with the time it carried; the delay sent back is only reported.
bool OnDelayAcquisition(void*, IMasterConnection connection, CS101_ASDU asdu, CP16Time2a time) {
    const int ms = CP16Time2a_getEplapsedTimeInMs(time);
    if (CS101_ASDU_getCOT(asdu) == CS101_COT_SPONTANEOUS) {
        Say("delay received " + std::to_string(ms) + " ms");
        return true;
    }
    IMasterConnection_sendACT_CON(connection, asdu, false);
    return true;
}

// Closing the standard input asks the slave to end.
bool InputClosed() {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) <= 0) {
        return false;
    }
    char byte = 0;
    return read(STDIN_FILENO, &byte, 1) <= 0;
}

}  // namespace

int main(int argc, char** argv) {
    SlaveOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s --port PATH [--address N] [--type 9|10|21] [--sq 0|1] "
                     "--values V,... --groups G,...\n",
                     argv[0]);
        return 2;
    }
    SerialPort port = SerialPort_create(options.port.c_str(), kBaud, 8, 'E', 1);
    // The demonstration configuration's sizes: one-octet cause and common address, two-octet
    // object address; everything else as the library sets it.
    sCS101_AppLayerParameters application{1, 1, 1, 0, 1, 2, 249};
    CS101_Slave slave =
        CS101_Slave_create(port, nullptr, &application, IEC60870_LINK_LAYER_UNBALANCED);
    CS101_Slave_setLinkLayerAddress(slave, options.address);
    Station station(options);
    CS101_Slave_setInterrogationHandler(slave, OnInterrogation, &station);
    CS101_Slave_setReadHandler(slave, OnRead, &station);
    CS101_Slave_setClockSyncHandler(slave, OnClockSync, &station);
    CS101_Slave_setDelayAcquisitionHandler(slave, OnDelayAcquisition, &station);
    if (!SerialPort_open(port)) {
        std::fprintf(stderr, "cannot open %s\n", options.port.c_str());
        return 1;
    }
    CS101_Slave_start(slave);
    Say("ready");
    auto next = std::chrono::steady_clock::now();
    int cause = CS101_COT_PERIODIC;
    while (!InputClosed()) {
        if (std::chrono::steady_clock::now() >= next) {
            CS101_ASDU values =
                station.Values(&application, cause, [](std::size_t) { return true; });
            CS101_Slave_enqueueUserDataClass2(slave, values);
            CS101_ASDU_destroy(values);
            cause = cause == CS101_COT_PERIODIC ? CS101_COT_BACKGROUND_SCAN : CS101_COT_PERIODIC;
            next += std::chrono::milliseconds(kClass2PeriodMs);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    CS101_Slave_stop(slave);
    CS101_Slave_destroy(slave);
    SerialPort_close(port);
    SerialPort_destroy(port);
    return 0;
}
