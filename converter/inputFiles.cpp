#include "converter/inputFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include <sys/stat.h>

namespace converter_n {

bool forEachInput(const std::vector<std::string>& files, const std::function<void(std::istream&, const std::string&)>& use,
                  const std::function<void(const std::string&, const std::string&)>& problem) {
    std::vector<std::string> names = files.empty() ? std::vector<std::string>{"-"} : files;
    bool allRead = true;
    for (const std::string& name : names) {
        if (name == "-") {
            use(std::cin, "standard input");
            if (std::cin.bad()) {
                problem("standard input", "read error");
                allRead = false;
            }
            std::cin.clear();
            continue;
        }
        struct stat status;
        if (stat(name.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
            problem(name, "is a directory");
            allRead = false;
            continue;
        }
        std::ifstream file(name, std::ios::binary);
        if (!file) {
            problem(name, std::strerror(errno));
            allRead = false;
            continue;
        }
        use(file, name);
        if (file.bad()) {
            problem(name, "read error");
            allRead = false;
        }
    }
    return allRead;
}

}  // namespace converter_n
