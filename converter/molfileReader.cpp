#include "converter/hostMolecule.h"
#include "converter/molfile.h"
#include "converter/molfileParsers.h"

namespace molfile_n {

void readMolfile(const std::string& text, refhost::refMolecule_c& molecule, size_t firstLine) {
    molfileLines_c lines(text, firstLine);
    molStructure_c structure;
    structure.title = std::string(lines.next("title line"));
    structure.program = std::string(lines.next("program line"));
    structure.comment = std::string(lines.next("comment line"));
    std::string_view counts = lines.next("counts line");
    std::string_view version = column(counts, 33, 6);
    if (version == "V3000" || counts.find("V3000") != std::string_view::npos)
        parseV3000(lines, structure);
    else if (version.empty() || counts.find("V2000") != std::string_view::npos)
        parseV2000(lines, counts, structure);
    else
        throw molfileError_c(lines.line(), "counts line version", "'" + std::string(version) +
                                                                      "' is neither V2000 nor V3000");
    buildHostMolecule(structure, molecule);
}

void readMolfile(const sdRecord_c& record, refhost::refMolecule_c& molecule) {
    if (record.overLimit)
        throw molfileError_c(record.firstLine, "record", "longer than the converter takes");
    readMolfile(record.text, molecule, record.firstLine);
}

}  // namespace molfile_n
