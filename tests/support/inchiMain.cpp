#include "inchiMain.h"

#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace inchiMain_n {

namespace {

// Removes one entry of the directory tree, its contents first; one that
// cannot be removed does not keep the others.
int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    std::remove(path);
    return 0;
}

// Runs a program found on PATH with every standard stream on /dev/null, so
// that nothing it prints mixes with the test's output; true when it exited
// with 0.
bool runQuietly(const std::vector<std::string>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The records of inchi_main's output file. Each structure's lines follow its
// "Structure: N" line; a structure it failed on has no such line.
std::vector<referenceRecord_c> records(const std::string& outPath) {
    std::vector<referenceRecord_c> found;
    std::ifstream out(outPath);
    std::string line;
    size_t current = 0;
    while (std::getline(out, line)) {
        if (startsWith(line, "Structure: ")) {
            current = std::stoul(line.substr(11));
            if (found.size() < current) found.resize(current);
        } else if (current == 0) {
            continue;
        } else if (startsWith(line, "InChI=")) {
            found[current - 1].inchi = line;
        } else if (startsWith(line, "AuxInfo=")) {
            found[current - 1].auxInfo = line;
        } else if (startsWith(line, "InChIKey=")) {
            found[current - 1].key = line;
        }
    }
    return found;
}

}  // namespace

scratchDir_c::scratchDir_c() {
    char pattern[] = "/tmp/tavr-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a scratch directory");
    path_ = pattern;
}

scratchDir_c::~scratchDir_c() { nftw(path_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }

std::string scratchDir_c::file(const std::string& name, const std::string& text) const {
    const std::string path = path_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
    return path;
}

bool inchiMainAvailable() { return runQuietly({"sh", "-c", "command -v inchi_main"}); }

std::vector<referenceRecord_c> runInchiMain(const std::string& sdFile, const std::vector<std::string>& options) {
    const scratchDir_c dir;
    std::vector<std::string> argv{"inchi_main", sdFile, dir.path() + "/out.txt", dir.path() + "/log.txt",
                                  dir.path() + "/prb.txt"};
    for (const std::string& option : options) argv.push_back("-" + option);
    if (!runQuietly(argv)) return {};
    return records(dir.path() + "/out.txt");
}

std::vector<referenceRecord_c> runInchiMainOnText(const std::string& sdText, const std::vector<std::string>& options) {
    const scratchDir_c dir;
    return runInchiMain(dir.file("in.sdf", sdText), options);
}

}  // namespace inchiMain_n
