#include "converter/inchiRecords.h"

namespace converter_n {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool isBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool inchiRecordReader_c::readLine(std::string& line) {
    if (!std::getline(in_, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    ++line_;
    return true;
}

bool inchiRecordReader_c::splitTabbed(const std::string& line, inchiRecord_c& record) {
    size_t start = 0;
    bool found = false;
    for (size_t field = 0; start <= line.size(); ++field) {
        size_t end = line.find('\t', start);
        std::string text = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (startsWith(text, "InChI=")) {
            record.inchi = text;
            found = true;
        } else if (startsWith(text, "AuxInfo=")) {
            record.auxInfo = text;
        } else if (field == 0) {
            record.title = text;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return found;
}

bool inchiRecordReader_c::next(inchiRecord_c& record) {
    record = inchiRecord_c();
    std::string line;
    size_t lineNumber = 0;
    for (;;) {
        if (hasPending_) {
            line = std::move(pending_);
            lineNumber = pendingLine_;
            hasPending_ = false;
        } else if (readLine(line)) {
            lineNumber = line_;
        } else {
            return false;
        }
        if (line.find('\t') != std::string::npos && splitTabbed(line, record)) {
            record.line = record.auxLine = lineNumber;
            record.number = ++records_;
            return true;
        }
        if (startsWith(line, "InChI="))
            break;
        if (!isBlank(line) && !startsWith(line, "AuxInfo=") && !startsWith(line, "InChIKey="))
            lastOther_ = line;
    }
    record.inchi = line;
    record.line = lineNumber;
    record.number = ++records_;
    record.title = std::move(lastOther_);
    lastOther_.clear();
    // The AuxInfo line follows; anything else starts the next record.
    while (readLine(line)) {
        if (startsWith(line, "AuxInfo=")) {
            record.auxInfo = line;
            record.auxLine = line_;
            break;
        }
        if (isBlank(line) || startsWith(line, "InChIKey="))
            continue;
        pending_ = std::move(line);
        pendingLine_ = line_;
        hasPending_ = true;
        break;
    }
    return true;
}

}  // namespace converter_n
