#include "toolRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "inchiMain.h"

extern char** environ;

namespace toolRun_n {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        result.push_back(line);
    return result;
}

runResult_c run(const std::vector<std::string>& argv, const std::string& inputPath) {
    inchiMain_n::scratchDir_c dir;
    std::string outPath = dir.path() + "/out", errPath = dir.path() + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    runResult_c result;
    if (spawned != 0)
        return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

runResult_c runTool(const std::vector<std::string>& args, const std::string& inputPath) {
    std::vector<std::string> argv{std::string(TAVR_BIN_DIR) + "/tavr-inchi"};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, inputPath);
}

std::vector<std::string> sampleFiles() {
    std::vector<std::string> files;
    for (const char* name : {"plain2d-sample.sdf", "stereo2d-sample.sdf", "edge-sample.sdf", "conf3d-sample.sdf"})
        files.push_back(std::string(TAVR_SAMPLES) + "/" + name);
    return files;
}

std::vector<std::string> sharedCorpora() {
    std::vector<std::string> files;
    for (const char* name : {"plain2d.sdf", "stereo2d.sdf", "edge.sdf", "conf3d.sdf"})
        files.push_back(std::string(TAVR_SHARED_DATA) + "/" + name);
    return files;
}

}  // namespace toolRun_n
