#pragma once
// The converter's MDL molfile layer: SD files split into records, one molfile
// (V2000 or V3000) read into a reference-host molecule, and a molecule written
// back as a molfile. Line numbers in errors are those of the file the record
// came from, so that a user can find the faulty line.
//
// How molfile data reaches the host molecule, atoms in file order:
//  - coordinates: place(x, y, z) at full precision (2D files have z = 0);
//  - element: the symbol; D and T stay symbols of their own. Symbols that name
//    no element (A, Q, *, L, LP, R#, atom lists, V3000 queries) keep their text
//    and get kind() 1, which the driver refuses;
//  - charge: atom-block code 1..7 (code 4, a doublet radical, gives no charge);
//    an "M  CHG" or "M  RAD" line anywhere in the block discards every
//    atom-block charge and radical, as inchi_main reads them;
//  - isotope: "M  ISO" gives the absolute mass; the atom-block mass difference d
//    gives 10000 + d, the InChI library's shift from the element's average
//    mass; an "M  ISO" line discards every atom-block mass difference;
//  - radical: "M  RAD" (or atom-block charge code 4 as a doublet) sets count(16)
//    and the multiplicity: 1 singlet -> 2 and 1, 2 doublet -> 1, 3 triplet -> 2 and 3;
//  - valence field: 0 leaves the valence unset (the InChI library then adds
//    hydrogens by its own rules); 1..14 sets it, raised to the atom's bond
//    order sum when below it, and 15 (a valence of zero) sets the bond order
//    sum: the driver takes valence minus bond order sum as the implicit
//    hydrogen count, so both mean no hydrogens, never a negative count;
//  - bonds: order = the MDL bond type (4 aromatic and 5..8 queries included, so
//    that the driver refuses them); first bond atom = the bond's first end;
//    single-bond stereo 1 -> wedge 1, 6 -> wedge 2, 4 -> wedge 3; double-bond
//    stereo 3 -> doubleStereo 3;
//  - chiral flag 1 on the counts line: a kind-24 group with type code 12.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>

namespace refhost {
class refMolecule_c;
}

namespace molfile_n {

// Input that is not a molfile the reader can take: the line (1-based, in the
// file), the field it was reading and what was wrong with it.
class molfileError_c : public std::runtime_error {
public:
    molfileError_c(size_t line, const std::string& field, const std::string& reason);
    size_t line() const { return line_; }
    const std::string& field() const { return field_; }
    const std::string& reason() const { return reason_; }

private:
    size_t line_;
    std::string field_;
    std::string reason_;
};

// One record of an SD file: its lines up to (without) the "$$$$" line, each
// ended by '\n' whatever the file used (CR LF and CR are taken as line ends).
struct sdRecord_c {
    std::string text;
    size_t number = 0;     // 1-based position of the record in the file
    size_t firstLine = 0;  // line number of its first line in the file
    std::string title;     // its first line
    bool overLimit = false;  // longer than the splitter's limit; text holds the start only
};

// Reads an SD file (or a single molfile, which is one record without "$$$$")
// one record at a time, so memory follows the largest record, not the file.
// Blank lines after the last "$$$$" make no record.
class sdSplitter_c {
public:
    static constexpr size_t defaultMaxRecordBytes = size_t(64) << 20;

    explicit sdSplitter_c(std::istream& in, size_t maxRecordBytes = defaultMaxRecordBytes);
    // The next record into record; false when the input holds no more records.
    bool next(sdRecord_c& record);
    // Lines consumed so far.
    size_t linesRead() const { return line_; }

private:
    bool readLine(std::string& line);
    // The next block of the input into the buffer; false at its end.
    bool refill();

    std::istream& in_;
    size_t maxRecordBytes_;
    size_t line_ = 0;
    size_t records_ = 0;
    // Input read ahead: lines are cut from blocks, not taken a byte at a time.
    std::string buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool inputEnded_ = false;
};

// Parses the molfile at the start of text into molecule, which should hold no
// objects yet. firstLine is the file line number of text's first line. Throws
// molfileError_c; the molecule then holds what was read before the fault.
void readMolfile(const std::string& text, refhost::refMolecule_c& molecule, size_t firstLine = 1);
// The same for a record of an SD file; an over-limit record is refused.
void readMolfile(const sdRecord_c& record, refhost::refMolecule_c& molecule);

// Most atoms (and bonds) the V2000 counts line can hold; larger molecules are
// written as V3000.
constexpr size_t maxV2000Count = 999;

// The molecule as a molfile: three header lines (the first is title), the
// counts line, the blocks and "M  END\n"; no "$$$$". Atoms are the objects of
// kinds 21, 51 and 45 in ascending index order; bonds in index order. The
// mapping above runs backwards: wedges seen from a bond's second end (6, 7, 8,
// 13) are written with the bond's atoms swapped, valence 0 as 15, an unset
// valence as an empty field. V2000 when atoms and bonds both fit
// maxV2000Count and every coordinate and symbol fits its atom-block columns,
// V3000 otherwise.
std::string writeMolfile(refhost::refMolecule_c& molecule, const std::string& title);

}  // namespace molfile_n
