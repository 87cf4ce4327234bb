// tavr-inchi: command line, module loading, and the choice of command.

#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "converter/commands.h"
#include "converter/driverModule.h"
#include "converter/recordLoop.h"
#include "converter/usage.h"
#include "converter/workerPool.h"

namespace converter_n {

namespace {

class usageError_c : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// More worker processes than this would only contend for the processors.
constexpr unsigned maxJobs = 1024;

unsigned defaultJobs() { return std::min(availableProcessors(), maxJobs); }

struct commandLine_c {
    std::string command;
    std::optional<std::string> module;
    writeSettings_c write;
    unsigned jobs = defaultJobs();
    std::vector<std::string> files;
    bool help = false;
};

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool optionValue(const std::string& arg, const char* name, int& i, int argc, char** argv, std::string& value) {
    std::string prefix = std::string(name) + "=";
    if (arg.compare(0, prefix.size(), prefix) == 0) {
        value = arg.substr(prefix.size());
        return true;
    }
    if (arg != name)
        return false;
    if (i + 1 >= argc)
        throw usageError_c(std::string(name) + " needs a value");
    value = argv[++i];
    return true;
}

// A --jobs value: a whole number of worker processes, 1 to maxJobs.
unsigned jobCount(const std::string& value) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos || value.size() > 4 ||
        std::stoul(value) < 1 || std::stoul(value) > maxJobs)
        throw usageError_c("--jobs needs a number of processes from 1 to " + std::to_string(maxJobs));
    return unsigned(std::stoul(value));
}

commandLine_c parse(int argc, char** argv) {
    commandLine_c line;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        if (filesOnly || arg == "-" || arg.empty() || arg[0] != '-') {
            if (line.command.empty() && !filesOnly)
                line.command = arg;
            else
                line.files.push_back(arg);
        } else if (arg == "--") {
            filesOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (optionValue(arg, "--module", i, argc, argv, value)) {
            line.module = value;
        } else if (optionValue(arg, "--jobs", i, argc, argv, value)) {
            line.jobs = jobCount(value);
        } else if (optionValue(arg, "--options", i, argc, argv, value)) {
            line.write.options = value;
        } else if (arg == "--key") {
            line.write.key = true;
        } else if (arg == "--tabbed") {
            line.write.tabbed = true;
        } else {
            throw usageError_c("unknown option " + arg);
        }
    }
    if (line.help)
        return line;
    if (line.command != "write" && line.command != "read")
        throw usageError_c(line.command.empty() ? "no command given" : "unknown command " + line.command);
    if (line.command == "read" && (line.write.key || line.write.tabbed || !line.write.options.empty()))
        throw usageError_c("--options, --key and --tabbed belong to write");
    return line;
}

int run(int argc, char** argv) {
    commandLine_c line;
    try {
        line = parse(argc, argv);
    } catch (const usageError_c& error) {
        tell(std::string(error.what()) + " (tavr-inchi --help tells the usage)");
        return exitUsageOrIo;
    }
    if (line.help) {
        std::cout << usageText;
        return std::cout.flush() ? exitConverted : exitUsageOrIo;
    }
    try {
        driverModule_c driver(line.module ? *line.module : driverModule_c::besideExecutable());
        if (line.command == "write")
            return runWrite(driver, line.write, line.files, std::cout, line.jobs);
        return runRead(driver, line.files, std::cout, line.jobs);
    } catch (const moduleError_c& error) {
        tell(error.what());
        return exitUsageOrIo;
    }
}

}  // namespace

}  // namespace converter_n

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return converter_n::run(argc, argv);
}
