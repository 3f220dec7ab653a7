// Time of one "GET MODEL" query and its answer through the COM port to the
// emulated engine, next to the time its bytes take on the wire at 115200 baud
// (10 bits a byte: start, eight data, stop).
#include "bench_timing.h"
#include "emulator_control.h"
#include "serial_port.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr unsigned kBaud = 115200;
constexpr int kWarmUp = 20;
constexpr int kRounds = 500;

} // namespace

int main() {
    const int com = lumencor_emulator::ComNumberFromEnvironment();
    lumencor_emulator::EmulatorControl control;
    if (com == 0 || !control.connected() || !control.Reset()) {
        std::fprintf(stderr, "no emulated engine: run through tools/wine/with_emulator.sh\n");
        return 1;
    }
    lumencor_emulator::SerialPort port;
    if (!port.Open(com, kBaud)) {
        std::fprintf(stderr, "COM%d does not open: error %lu\n", com, GetLastError());
        return 1;
    }

    const std::string command = "GET MODEL\r";
    const std::string expected = "A MODEL " + control.Get("MODEL") + "\r";
    const double wire =
        1000.0 * 10.0 * static_cast<double>(command.size() + expected.size()) / kBaud;
    std::printf("GET MODEL round trip, %d queries of %zu + %zu bytes; wire time at %u baud "
                "%.3f ms\n",
                kRounds, command.size(), expected.size(), kBaud, wire);

    // Unpaced: the harness's own cost. Paced: the engine answers after the
    // wire time, as a real one on a real line would.
    for (const char* pace : {"0", "1"}) {
        if (!control.Set("PACE", pace)) return 1;
        std::vector<double> times;
        for (int round = 0; round < kWarmUp + kRounds; ++round) {
            const double start = bench::Seconds();
            const std::string answer = port.Ask(command);
            const double elapsedMs = 1000.0 * (bench::Seconds() - start);
            if (answer != expected) {
                std::fprintf(stderr, "unexpected answer after %d rounds\n", round);
                return 1;
            }
            if (round >= kWarmUp) times.push_back(elapsedMs);
        }
        const double median = bench::Percentile(times, 0.5);
        const double p99 = bench::Percentile(times, 0.99);
        std::printf(
            "  %-8s median %7.3f ms (%5.2fx wire), 99th percentile %7.3f ms (%5.2fx wire)\n",
            *pace == '1' ? "paced" : "unpaced", median, median / wire, p99, p99 / wire);
    }
    return 0;
}
