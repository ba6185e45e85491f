// A standard unbalanced IEC 60870-5-101 primary built on the independent library, for the tests
// only: it runs the steps named on its command line against one secondary and prints every ASDU
// the library decoded.
//
//   vantor3-iec-master --port PATH --address 5 STEP...
//
// Steps: "link" (the link is initialised), "interrogation:<qoi>" (until the termination),
// "class2:<n>" (until n answers with values), "read:<ioa>" (until the requested values),
// "clock" (until the confirmation), "delay" (confirmation, then the delay sent back).
// Output: "asdu type=<t> cause=<c> negative=<0|1> sq=<0|1> objects=<n> values=<v>,...", one
// "done <step>" per step, "delay <ms> ms" for the delay measured; "timeout <step>" or
// "refused <step>" and exit status 1 when a step does not end well.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "cs101_master.h"
#include "hal_time.h"

namespace {

constexpr int kBaud = 9600;
constexpr int kStepTimeoutMs = 5000;
constexpr int kPollEveryMs = 40;
constexpr int kMinuteMs = 60000;

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int MinuteMs() {
    return static_cast<int>(Hal_getTimeInMs() % kMinuteMs);
}

// What the steps wait for, filled in by the library's callbacks.
struct Observed {
    bool linkAvailable = false;
    int lastType = 0;
    int lastCause = 0;
    bool lastNegative = false;
    int valueAnswers = 0;  // ASDUs with measured values
    int delayStamp = -1;   // the time returned by the delay confirmation
    bool refused = false;
};

int RawValue(CS101_ASDU asdu, int index, int type) {
    InformationObject object = CS101_ASDU_getElement(asdu, index);
    if (object == nullptr) {
        return 0;
    }
    float value = 0;
    if (type == M_ME_NA_1 || type == M_ME_TA_1) {
        // The time-tagged object begins as the plain one does.
        value = MeasuredValueNormalized_getValue(reinterpret_cast<MeasuredValueNormalized>(object));
    } else if (type == M_ME_ND_1) {
        value = MeasuredValueNormalizedWithoutQuality_getValue(
            reinterpret_cast<MeasuredValueNormalizedWithoutQuality>(object));
    }
    InformationObject_destroy(object);
    return NormalizedValue_toScaled(value);
}

bool IsMeasuredType(int type) {
    return type == M_ME_NA_1 || type == M_ME_TA_1 || type == M_ME_ND_1;
}

bool OnAsdu(void* parameter, int, CS101_ASDU asdu) {
    auto& seen = *static_cast<Observed*>(parameter);
    const int type = CS101_ASDU_getTypeID(asdu);
    const int objects = CS101_ASDU_getNumberOfElements(asdu);
    std::string values;
    if (IsMeasuredType(type)) {
        for (int i = 0; i < objects; ++i) {
            values += (i == 0 ? "" : ",") + std::to_string(RawValue(asdu, i, type));
        }
        ++seen.valueAnswers;
    } else if (type == C_CD_NA_1 && objects > 0) {
        InformationObject object = CS101_ASDU_getElement(asdu, 0);
        seen.delayStamp = CP16Time2a_getEplapsedTimeInMs(
            DelayAcquisitionCommand_getDelay(reinterpret_cast<DelayAcquisitionCommand>(object)));
        values = std::to_string(seen.delayStamp);
        InformationObject_destroy(object);
    }
    seen.lastType = type;
    seen.lastCause = CS101_ASDU_getCOT(asdu);
    seen.lastNegative = CS101_ASDU_isNegative(asdu);
    Say("asdu type=" + std::to_string(type) + " cause=" + std::to_string(seen.lastCause) +
        " negative=" + std::to_string(seen.lastNegative ? 1 : 0) +
        " sq=" + std::to_string(CS101_ASDU_isSequence(asdu) ? 1 : 0) +
        " objects=" + std::to_string(objects) + " values=" + values);
    return true;
}

void OnLinkState(void* parameter, int, LinkLayerState state) {
    static_cast<Observed*>(parameter)->linkAvailable = state == LL_STATE_AVAILABLE;
}

class Primary {
public:
    Primary(CS101_Master master, int address, Observed& seen)
        : master_(master), address_(address), seen_(seen) {}

    bool Run(const std::string& step) {
        const auto colon = step.find(':');
        const std::string name = step.substr(0, colon);
        const int argument = colon == std::string::npos ? 0 : std::atoi(step.c_str() + colon + 1);
        seen_.lastType = 0;
        seen_.refused = false;
        bool known = true;
        if (name == "link") {
            known = Until([&] { return seen_.linkAvailable; });
        } else if (name == "interrogation") {
            CS101_Master_sendInterrogationCommand(master_, CS101_COT_ACTIVATION, address_,
                                                  static_cast<QualifierOfInterrogation>(argument));
            known = Until([&] { return Answer(C_IC_NA_1, CS101_COT_ACTIVATION_TERMINATION); });
        } else if (name == "class2") {
            const int wanted = seen_.valueAnswers + argument;
            known = Until([&] { return seen_.valueAnswers >= wanted; });
        } else if (name == "read") {
            CS101_Master_sendReadCommand(master_, address_, argument);
            known = Until([&] { return ValuesRequested(); });
        } else if (name == "clock") {
            sCP56Time2a now{};
            CP56Time2a_createFromMsTimestamp(&now, Hal_getTimeInMs());
            CS101_Master_sendClockSyncCommand(master_, address_, &now);
            known = Until([&] { return Answer(C_CS_NA_1, CS101_COT_ACTIVATION_CON); });
        } else if (name == "delay") {
            known = MeasureDelay();
        } else {
            Say("unknown step " + step);
            return false;
        }
        if (!known) {
            Say(std::string(seen_.refused ? "refused " : "timeout ") + step);
            return false;
        }
        Say("done " + step);
        return true;
    }

private:
    // Runs the link layer, asking for class 2 data now and then, until `ended` or the timeout.
    template <typename Ended>
    bool Until(Ended ended) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kStepTimeoutMs);
        auto nextPoll = std::chrono::steady_clock::now();
        while (!ended() && !seen_.refused && std::chrono::steady_clock::now() < deadline) {
            if (std::chrono::steady_clock::now() >= nextPoll) {
                CS101_Master_pollSingleSlave(master_, address_);
                nextPoll += std::chrono::milliseconds(kPollEveryMs);
            }
            CS101_Master_run(master_);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return ended();
    }

    // The answer of type `type` with `cause`; a negative one or a refusal ends the step badly.
    bool Answer(int type, int cause) {
        if (seen_.lastType == type && (seen_.lastNegative || seen_.lastCause >= 44)) {
            seen_.refused = true;
        }
        return seen_.lastType == type && seen_.lastCause == cause && !seen_.lastNegative;
    }

    bool ValuesRequested() {
        if (seen_.lastType == C_RD_NA_1) {
            seen_.refused = true;
        }
        return IsMeasuredType(seen_.lastType) && seen_.lastCause == CS101_COT_REQUEST;
    }

    // The confirmation returns the time sent, moved on by the time spent in the secondary;
    // half the rest of the round trip is the delay, which goes back spontaneously.
    bool MeasureDelay() {
        SendDelay(CS101_COT_ACTIVATION, MinuteMs());
        seen_.delayStamp = -1;
        if (!Until([&] { return Answer(C_CD_NA_1, CS101_COT_ACTIVATION_CON); })) {
            return false;
        }
        int roundTrip = MinuteMs() - seen_.delayStamp;
        if (roundTrip < 0) {
            roundTrip += kMinuteMs;
        }
        const int delay = roundTrip / 2;
        Say("delay " + std::to_string(delay) + " ms");
        SendDelay(CS101_COT_SPONTANEOUS, delay);
        const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        return Until([&] { return std::chrono::steady_clock::now() >= settle; });
    }

    void SendDelay(CS101_CauseOfTransmission cause, int ms) {
        sCP16Time2a time{};
        CP16Time2a_setEplapsedTimeInMs(&time, ms);
        CS101_ASDU asdu = CS101_ASDU_create(CS101_Master_getAppLayerParameters(master_), false,
                                            cause, 0, address_, false, false);
        InformationObject object =
            reinterpret_cast<InformationObject>(DelayAcquisitionCommand_create(nullptr, 0, &time));
        CS101_ASDU_addInformationObject(asdu, object);
        InformationObject_destroy(object);
        CS101_Master_sendASDU(master_, asdu);
        CS101_ASDU_destroy(asdu);
    }

    CS101_Master master_;
    int address_;
    Observed& seen_;
};

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    int address = 5;
    std::vector<std::string> steps;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--port" && i + 1 < argc) {
            path = argv[++i];
        } else if (argument == "--address" && i + 1 < argc) {
            address = std::atoi(argv[++i]);
        } else {
            steps.push_back(argument);
        }
    }
    if (path.empty() || steps.empty()) {
        std::fprintf(stderr, "usage: %s --port PATH [--address N] STEP...\n", argv[0]);
        return 2;
    }
    SerialPort port = SerialPort_create(path.c_str(), kBaud, 8, 'E', 1);
    // The demonstration configuration's sizes: one-octet cause and common address, two-octet
    // object address; the link layer as the library sets it.
    sCS101_AppLayerParameters application{1, 1, 1, 0, 1, 2, 249};
    CS101_Master master =
        CS101_Master_create(port, nullptr, &application, IEC60870_LINK_LAYER_UNBALANCED);
    Observed seen;
    CS101_Master_setASDUReceivedHandler(master, OnAsdu, &seen);
    CS101_Master_setLinkLayerStateChanged(master, OnLinkState, &seen);
    CS101_Master_addSlave(master, address);
    CS101_Master_useSlaveAddress(master, address);
    if (!SerialPort_open(port)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    Primary primary(master, address, seen);
    int status = 0;
    for (const std::string& step : steps) {
        if (!primary.Run(step)) {
            status = 1;
            break;
        }
    }
    CS101_Master_destroy(master);
    SerialPort_close(port);
    SerialPort_destroy(port);
    return status;
}
