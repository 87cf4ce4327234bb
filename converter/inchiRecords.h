#pragma once
// InChI text split into records: an "InChI=" line and the "AuxInfo=" line
// that follows it. Takes what the write command prints (plain or tabbed) and
// inchi_main's output: other lines ("Structure: N", InChIKey lines, blank
// lines) are skipped, and a line just before an InChI that is none of these
// serves as the record's title.

#include <cstddef>
#include <istream>
#include <string>

namespace converter_n {

struct inchiRecord_c {
    std::string inchi;    // the "InChI=" text, line end removed
    std::string auxInfo;  // the "AuxInfo=" text; empty when the record has none
    std::string title;
    size_t number = 0;  // 1-based position in the input
    size_t line = 0;     // file line of the InChI
    size_t auxLine = 0;  // file line of the AuxInfo
};

class inchiRecordReader_c {
public:
    explicit inchiRecordReader_c(std::istream& in) : in_(in) {}
    // The next record; false when the input holds no more.
    bool next(inchiRecord_c& record);

private:
    bool readLine(std::string& line);
    // Takes a tabbed line apart: title, InChI, AuxInfo fields.
    static bool splitTabbed(const std::string& line, inchiRecord_c& record);

    std::istream& in_;
    std::string pending_;  // a line read ahead that starts the next record
    bool hasPending_ = false;
    size_t line_ = 0;
    size_t pendingLine_ = 0;
    size_t records_ = 0;
    std::string lastOther_;  // the last line that was no InChI, AuxInfo or key
};

}  // namespace converter_n
