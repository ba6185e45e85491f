#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantor::test {

// A helper program run by a test (socat, a Modbus peer, the simulator). Its standard output
// and error go to one pipe the test can wait on; its standard input is a pipe whose closing
// asks it to end. The destructor stops it, so a failing test leaves nothing running.
//
//   ChildProcess socat({"socat", "-d", "-d", "pty,raw,echo=0,link=/tmp/a", ...});
//   ASSERT_TRUE(socat.WaitForOutput("starting data transfer loop", 5000)) << socat.Output();
class ChildProcess {
public:
    // Searches PATH for argv[0] unless it holds a slash.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Started() const { return pid_ > 0; }
    // Reads its output until `text` appears; false when it does not within `timeoutMs` or the
    // program ends first.
    bool WaitForOutput(const std::string& text, int timeoutMs);
    // Everything read from it so far.
    const std::string& Output() const { return output_; }
    // Closes its input, then SIGTERM, and SIGKILL if it is still there after a second.
    void Stop();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_fd_ = -1;
    std::string output_;
};

}  // namespace vantor::test
