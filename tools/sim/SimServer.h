#pragma once

#include <csignal>
#include <string>

#include "FrameAssembler.h"
#include "PtyLink.h"
#include "SimOutput.h"
#include "Station.h"

namespace vantor::sim {

// The loop between the line and the station: frames in, answers out, each traced.
class SimServer {
public:
    SimServer(PtyLink& line, FrameAssembler& frames, IStation& station, SimOutput& output,
              bool silent);

    // Serves until `stop` becomes non-zero (set by a signal handler).
    void Run(const volatile std::sig_atomic_t& stop);

private:
    void Handle(const ByteArray& frame);

    PtyLink& line_;
    FrameAssembler& frames_;
    IStation& station_;
    SimOutput& output_;
    bool silent_;
    std::string lastSettings_;
};

}  // namespace vantor::sim
