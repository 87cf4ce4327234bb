#include <algorithm>
#include <cstring>
#include <streambuf>

#include "converter/molfile.h"

namespace molfile_n {

namespace {

// The first CR or LF in [start, stop), or stop. memchr runs through a line
// many bytes at a time; looking a window at a time keeps a file with only
// CRs, or only LFs, from being searched to the block's end for every line.
const char* lineEnd(const char* start, const char* stop) {
    constexpr size_t window = 256;
    while (start != stop) {
        const char* windowEnd = start + std::min(size_t(stop - start), window);
        const void* lf = std::memchr(start, '\n', size_t(windowEnd - start));
        const char* bound = lf ? static_cast<const char*>(lf) : windowEnd;
        if (const void* cr = std::memchr(start, '\r', size_t(bound - start)))
            return static_cast<const char*>(cr);
        if (lf)
            return bound;
        start = windowEnd;
    }
    return stop;
}

bool isRecordEnd(const std::string& line) { return line.compare(0, 4, "$$$$") == 0; }

bool isBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

// Large enough that refilling costs nothing against reading the lines.
constexpr size_t blockBytes = size_t(64) << 10;

sdSplitter_c::sdSplitter_c(std::istream& in, size_t maxRecordBytes)
    : in_(in), maxRecordBytes_(maxRecordBytes), buffer_(blockBytes, '\0') {}

bool sdSplitter_c::refill() {
    begin_ = end_ = 0;
    std::streambuf* source = in_.rdbuf();
    if (inputEnded_ || !source)
        return false;
    const std::streamsize got = source->sgetn(&buffer_[0], std::streamsize(buffer_.size()));
    end_ = got > 0 ? size_t(got) : 0;
    inputEnded_ = end_ == 0;
    return end_ != 0;
}

// One line without its end (LF, CR LF or a lone CR). Bytes past the record
// limit are consumed but not kept, so a file without line ends cannot make the
// splitter hold it whole.
bool sdSplitter_c::readLine(std::string& line) {
    line.clear();
    if (begin_ == end_ && !refill())
        return false;
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* p = lineEnd(start, stop);
        const size_t room = line.size() <= maxRecordBytes_ ? maxRecordBytes_ + 1 - line.size() : 0;
        line.append(start, std::min(size_t(p - start), room));
        begin_ += size_t(p - start);
        if (p != stop) {
            const char ending = *p;
            ++begin_;
            // The LF of a CR LF pair may start the next block.
            if (ending == '\r' && (begin_ != end_ || refill()) && buffer_[begin_] == '\n')
                ++begin_;
            break;
        }
        if (!refill())
            break;
    }
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
