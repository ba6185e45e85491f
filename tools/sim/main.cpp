// vantor3-sim: a virtual transducer on a pseudo-terminal, for development, demos and tests.

#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "FrameAssembler.h"
#include "IecSecondary.h"
#include "ModbusSlave.h"
#include "PtyLink.h"
#include "SimDevice.h"
#include "SimOptions.h"
#include "SimOutput.h"
#include "SimServer.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void RequestStop(int) {
    g_stop = 1;
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);  // a reader that went away must not end the simulator
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The installed data folder, found from the simulator's own place, so that an unpacked or
// relocated installation finds its samples too.
std::string InstalledDataPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : (self.parent_path() / VANTOR_DATA_FROM_BIN / path).string();
}

// A relative path is looked up in the current folder first, then in the installed data
// folder, then in the source tree.
std::string ConfigPath(const vantor::sim::SimOptions& options) {
    std::string path = options.configPath;
    if (path.empty()) {
        path = options.protocol == vantor::sim::SimProtocol::Iec101 ? "samples/demo-iec.dat"
                                                                    : "samples/demo.dat";
    }
    if (path[0] == '/' || Exists(path)) {
        return path;
    }
    if (const std::string installed = InstalledDataPath(path); Exists(installed)) {
        return installed;
    }
    return std::string(VANTOR_SOURCE_DIR) + "/" + path;
}

std::string LinkPath(const std::string& portName) {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : ".") + "/.vantor3/ports/com" +
           portName.substr(3);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vantor3-sim: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantor::sim;
    const auto parsed = ParseOptions(std::span<const char* const>(argv + 1, argc - 1));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "vantor3-sim: %s (see --help)\n", parsed.error.c_str());
        return 2;
    }
    SimOptions options = parsed.options;
    if (options.help) {
        std::printf("%s", HelpText().c_str());
        return 0;
    }
    std::string error;
    auto device = LoadDevice(ConfigPath(options), error);
    if (!device) {
        return Fail(error);
    }
    device->address = options.address.value_or(device->address);
    const SimProtocol protocol =
        options.protocol.value_or(device->iecTag ? SimProtocol::Iec101 : SimProtocol::Modbus);

    SimOutput output(options.trace, options.recordPath, error);
    Transducer transducer(std::chrono::seconds(options.clockOffsetS));
    std::unique_ptr<IStation> station;
    if (protocol == SimProtocol::Modbus) {
        station = std::make_unique<ModbusSlave>(*device, transducer, options);
    } else {
        station = std::make_unique<IecSecondary>(*device, transducer, options);
    }
    InstallSignalHandlers();
    PtyLink line(LinkPath(options.port), error);
    if (!error.empty()) {
        return Fail(error);
    }
    FrameAssembler frames(protocol, options.framing, device->addressSize);
    SimServer server(line, frames, *station, output, options.silent);
    output.Report("ready " + line.LinkPath() + " " + line.SlavePath() +
                  (protocol == SimProtocol::Modbus ? " modbus" : " iec101"));
    server.Run(g_stop);
    return 0;
}
