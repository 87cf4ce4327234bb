#pragma once
// Running tavr-inchi and other programs from tests, as a user runs them, and
// reading what they print.

#include <string>
#include <vector>

namespace toolRun_n {

struct runResult_c {
    int exitCode = -1;
    std::string out, err;
};

// Runs a program with arguments (no shell), standard input from inputPath.
runResult_c run(const std::vector<std::string>& argv, const std::string& inputPath = "/dev/null");
// Runs build/bin/tavr-inchi.
runResult_c runTool(const std::vector<std::string>& args, const std::string& inputPath = "/dev/null");

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
std::vector<std::string> lines(const std::string& text);  // without line ends; no empty last line

// The bundled samples, and the shared corpora when they are there.
std::vector<std::string> sampleFiles();
std::vector<std::string> sharedCorpora();

}  // namespace toolRun_n
