// tarn-sim: a simulated Tarn radio on a pseudo-terminal.
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "lumo_version.h"
#include "sim/radio_fleet.h"
#include "sim/radio_server.h"
#include "sim/tarn_radio.h"

namespace {

void printHelp() {
    std::cout
        << "Usage: tarn-sim [OPTION]...\n"
           "\n"
           "Serves a simulated Tarn radio on a pseudo-terminal. The first line printed is\n"
           "the device path to give lumo-cli or lumo as the port.\n"
           "\n"
           "  --image FILE      radio memory to serve (up to 64 KiB from address 0; the\n"
           "                    rest reads 0xFF). Without it the memory is all 0xFF.\n"
           "  --load ADDR:FILE  place FILE's bytes at address ADDR (hex, e.g. 0x0010),\n"
           "                    after --image\n"
           "  --save FILE       on SIGTERM or SIGINT write the memory (64 KiB) to FILE;\n"
           "                    with --radios, radio K's to FILE.K\n"
           "  --radios N        serve N radios one after another on the one line, each\n"
           "                    starting from the same memory; radio 1 first. SIGUSR1\n"
           "                    unplugs the current radio: the line is silent for one\n"
           "                    second, then the next radio answers (none after the last)\n"
           "  --pace            pace both directions like a 9600 baud 8N1 wire\n"
           "  --boot N          ignore the first N hellos, as a radio still starting up\n"
           "  --fault FAULT     misbehave: "
        << tarnsim::faultHelp()
        << ".\n"
           "                    Exchanges are the frames sent after the identity reply,\n"
           "                    counted from 1 in each session. FAULT%K: radio K only.\n"
           "  -h, --help        print this text and exit\n"
           "  --version         print the version and exit\n";
}

bool readImage(const std::string& path, std::vector<std::uint8_t>& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    image.assign(std::istreambuf_iterator<char>(in), {});
    if (image.size() > tarnsim::TarnRadio::kMemorySize) {
        image.resize(tarnsim::TarnRadio::kMemorySize);
    }
    return true;
}

// "0x0010:channels.img" into an address and a path.
bool parseLoad(const std::string& argument, std::size_t& address, std::string& path) {
    const auto colon = argument.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == argument.size()) {
        return false;
    }
    try {
        std::size_t used = 0;
        address = std::stoul(argument.substr(0, colon), &used, 16);
        if (used != colon || address >= tarnsim::TarnRadio::kMemorySize) {
            return false;
        }
    } catch (const std::exception&) {
        return false;
    }
    path = argument.substr(colon + 1);
    return true;
}

bool saveImage(const std::string& path, const std::vector<std::uint8_t>& memory) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(memory.data()),
                  static_cast<std::streamsize>(memory.size()));
        if (!out.flush()) {
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

// A descriptor that becomes readable when one of `signals` arrives; they are blocked
// from interrupting the program.
int signalDescriptor(std::initializer_list<int> signals) {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : signals) {
        sigaddset(&set, signal);
    }
    sigprocmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_CLOEXEC);
}

}  // namespace

int main(int argc, char** argv) {
    tarnsim::TarnRadio::Options options;
    std::string imagePath;
    std::string savePath;
    bool pace = false;
    int radios = 1;
    std::vector<tarnsim::FleetFault> faults;
    std::vector<std::string> loads;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                std::cerr << "tarn-sim: " << arg << " needs a value\n";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        } else if (arg == "--version") {
            std::cout << "tarn-sim " << kLumoVersion << "\n";
            return 0;
        } else if (arg == "--pace") {
            pace = true;
        } else if (arg == "--image" || arg == "--save" || arg == "--boot" || arg == "--fault" ||
                   arg == "--load" || arg == "--radios") {
            const std::string* v = value();
            if (v == nullptr) {
                return 2;
            }
            if (arg == "--image") {
                imagePath = *v;
            } else if (arg == "--load") {
                loads.push_back(*v);
            } else if (arg == "--save") {
                savePath = *v;
            } else if (arg == "--radios") {
                try {
                    radios = std::stoi(*v);
                } catch (const std::exception&) {
                    radios = 0;
                }
                if (radios < 1) {
                    std::cerr << "tarn-sim: --radios needs a number from 1 on\n";
                    return 2;
                }
            } else if (arg == "--boot") {
                try {
                    options.bootHellos = std::stoi(*v);
                } catch (const std::exception&) {
                    std::cerr << "tarn-sim: --boot needs a number\n";
                    return 2;
                }
            } else {
                std::string error;
                const auto fault = tarnsim::parseFleetFault(*v, error);
                if (!fault) {
                    std::cerr << "tarn-sim: " << error << "\n";
                    return 2;
                }
                faults.push_back(*fault);
            }
        } else {
            std::cerr << "tarn-sim: unknown argument '" << arg << "' (see --help)\n";
            return 2;
        }
    }

    std::vector<std::uint8_t> image;
    if (!imagePath.empty() && !readImage(imagePath, image)) {
        std::cerr << "tarn-sim: cannot read " << imagePath << ": " << std::strerror(errno) << "\n";
        return 1;
    }

    for (const std::string& argument : loads) {
        std::size_t address = 0;
        std::string path;
        std::vector<std::uint8_t> bytes;
        if (!parseLoad(argument, address, path)) {
            std::cerr << "tarn-sim: --load needs ADDR:FILE with a hex address below 0x10000\n";
            return 2;
        }
        if (!readImage(path, bytes)) {
            std::cerr << "tarn-sim: cannot read " << path << ": " << std::strerror(errno) << "\n";
            return 1;
        }
        if (image.size() < tarnsim::TarnRadio::kMemorySize) {
            image.resize(tarnsim::TarnRadio::kMemorySize, 0xFF);
        }
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            image[(address + i) % tarnsim::TarnRadio::kMemorySize] = bytes[i];
        }
    }

    // Signals arrive as readable data, so the serving loop ends cleanly on them and
    // swaps radios between exchanges.
    const int signalFd = signalDescriptor({SIGTERM, SIGINT});
    const int swapFd = signalDescriptor({SIGUSR1});
    if (signalFd < 0 || swapFd < 0) {
        std::cerr << "tarn-sim: signalfd: " << std::strerror(errno) << "\n";
        return 1;
    }

    try {
        tarnsim::RadioFleet fleet(radios, image, options, faults);
        tarnsim::RadioServer server(fleet.radio(1), pace);
        std::cout << server.path() << std::endl;
        const auto swap = [&] {
            signalfd_siginfo info{};
            if (read(swapFd, &info, sizeof info) == sizeof info) {
                fleet.swap(server, tarnsim::RadioFleet::kSwapGap);
            }
        };
        const auto ended = server.serve(signalFd, swapFd, swap);
        if (ended == tarnsim::RadioServer::Ended::HungUp) {
            std::cerr << "tarn-sim: line hung up as asked\n";
        }
        for (int number = 1; number <= radios && !savePath.empty(); ++number) {
            const std::string path =
                radios == 1 ? savePath : savePath + "." + std::to_string(number);
            if (!saveImage(path, fleet.radio(number).memory())) {
                std::cerr << "tarn-sim: cannot save " << path << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "tarn-sim: " << e.what() << "\n";
        return 1;
    }
    close(signalFd);
    close(swapFd);
    return 0;
}
