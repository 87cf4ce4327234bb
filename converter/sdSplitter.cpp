#include <streambuf>

#include "converter/molfile.h"

namespace molfile_n {

namespace {

bool isRecordEnd(const std::string& line) { return line.compare(0, 4, "$$$$") == 0; }

bool isBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

sdSplitter_c::sdSplitter_c(std::istream& in, size_t maxRecordBytes)
    : in_(in), maxRecordBytes_(maxRecordBytes) {}

// One line without its end (LF, CR LF or a lone CR). Bytes past the record
// limit are consumed but not kept, so a file without line ends cannot make the
// splitter hold it whole.
bool sdSplitter_c::readLine(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (!buffer)
        return false;
    using traits = std::streambuf::traits_type;
    int c = buffer->sbumpc();
    if (c == traits::eof())
        return false;
    while (c != traits::eof() && c != '\n' && c != '\r') {
        if (line.size() <= maxRecordBytes_)
            line += char(c);
        c = buffer->sbumpc();
    }
    if (c == '\r' && buffer->sgetc() == '\n')
        buffer->sbumpc();
    ++line_;
    return true;
}

bool sdSplitter_c::next(sdRecord_c& record) {
    record.text.clear();
    record.title.clear();
    record.overLimit = false;
    record.firstLine = line_ + 1;
    bool onlyBlank = true;
    bool any = false;
    bool ended = false;
    std::string line;
    while (readLine(line)) {
        if (isRecordEnd(line)) {
            any = ended = true;
            break;
        }
        if (!any)
            record.title = line;
        any = true;
        onlyBlank = onlyBlank && isBlankLine(line);
        if (record.text.size() + line.size() + 1 > maxRecordBytes_) {
            record.overLimit = true;
            continue;
        }
        record.text += line;
        record.text += '\n';
    }
    // Blank lines after the last "$$$$" (or an empty input) are no record.
    if (!any || (onlyBlank && !ended))
        return false;
    record.number = ++records_;
    return true;
}

}  // namespace molfile_n
