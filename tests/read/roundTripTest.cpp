// Round trips against the reference executable, run live: inchi_main prints
// InChI and AuxInfo for every record of an SD file; TavrRead of that text into
// a fresh molecule, then TavrWrite of the molecule, must give inchi_main's InChI.
//
// One thing does not survive the trip: a valence set in a molfile's atom block
// (its vvv field). inchi_main keeps it in the AuxInfo (an element followed by
// the valence, "C2"), but the parse adds no hydrogens, the host atom has no
// valence to set, and the write lets the library add hydrogens by the usual
// valences. For a record where that valence matters, the expected InChI is
// inchi_main's for the same record with its valence fields cleared.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "converter/molfile.h"
#include "driver/entries.h"
#include "inchiMain.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

using inchiMain_n::referenceRecord_c;
using refhost::refAtom_c;
using refhost::refMolecule_c;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The SD text with the valence field (columns 49-51) of every V2000 atom line
// set to 0, "no valence given".
std::string withoutValences(const std::string& sdText) {
    std::istringstream in(sdText);
    std::string out, line;
    int lineInRecord = 0;
    int atomsLeft = 0;
    while (std::getline(in, line)) {
        ++lineInRecord;
        if (lineInRecord == 4 && line.find("V2000") != std::string::npos) {
            atomsLeft = std::atoi(line.substr(0, 3).c_str());
        } else if (lineInRecord > 4 && atomsLeft > 0) {
            --atomsLeft;
            if (line.size() >= 51) line.replace(48, 3, "  0");
        }
        if (line.rfind("$$$$", 0) == 0) lineInRecord = 0;
        out += line + "\n";
    }
    return out;
}

struct roundTrip_c {
    int read = 0;
    int written = 0;
    std::string inchi;  // the first line TavrWrite gave
};

roundTrip_c roundTrip(const referenceRecord_c& record, refMolecule_c& molecule) {
    roundTrip_c result;
    refhost::memoryInStream_c in(record.inchi + "\n" + record.auxInfo + "\n");
    refhost::refAttributes_c attributes;
    result.read = TavrRead(&molecule, &in, &attributes, "", nullptr);
    refhost::memoryOutStream_c out;
    result.written = TavrWrite(&molecule, &out, "", nullptr);
    result.inchi = out.text().substr(0, out.text().find('\n'));
    return result;
}

// Every record of the file; the first few differences are described.
void expectRoundTrips(const std::string& sdFile) {
    const std::vector<referenceRecord_c> reference = inchiMain_n::runInchiMain(sdFile);
    const std::vector<referenceRecord_c> cleared = inchiMain_n::runInchiMainOnText(withoutValences(fileText(sdFile)));
    ASSERT_FALSE(reference.empty()) << "inchi_main gave nothing for " << sdFile;
    ASSERT_EQ(cleared.size(), reference.size());
    int differences = 0;
    int valenceRecords = 0;
    std::ostringstream described;
    for (size_t i = 0; i < reference.size(); ++i) {
        const referenceRecord_c& record = reference[i];
        ASSERT_FALSE(record.inchi.empty() || record.auxInfo.empty()) << "structure " << i + 1;
        const bool valenceMatters = cleared[i].inchi != record.inchi;
        if (valenceMatters) ++valenceRecords;
        const std::string& expected = valenceMatters ? cleared[i].inchi : record.inchi;
        refMolecule_c molecule;
        const roundTrip_c trip = roundTrip(record, molecule);
        if (trip.read == 1 && trip.written == 1 && trip.inchi == expected) continue;
        if (++differences <= 10)
            described << "structure " << i + 1 << ": read " << trip.read << ", write " << trip.written
                      << (valenceMatters ? " (valence cleared)" : "") << "\n  expected   " << expected
                      << "\n  round trip " << trip.inchi << "\n";
    }
    EXPECT_EQ(differences, 0) << "of " << reference.size() << " records of " << sdFile << "\n"
                              << described.str();
    testing::Test::RecordProperty("valenceMatters:" + sdFile.substr(sdFile.rfind('/') + 1), valenceRecords);
}

// The SD files of a directory, by name.
std::vector<std::string> sdFilesIn(const std::string& directory) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(directory.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".sdf") == 0) files.push_back(directory + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(roundTrip, everyRecordOfTheBundledSamplesReadsBackToTheReferenceInChI) {
    const std::vector<std::string> files = sdFilesIn(TAVR_SAMPLES);
    ASSERT_FALSE(files.empty()) << "no samples in " << TAVR_SAMPLES;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        expectRoundTrips(file);
    }
}

TEST(roundTrip, everyRecordOfTheSharedCorporaReadsBackToTheReferenceInChI) {
    const std::vector<std::string> files = sdFilesIn(TAVR_SHARED_DATA);
    if (files.empty()) GTEST_SKIP() << "no corpora in " << TAVR_SHARED_DATA;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        expectRoundTrips(file);
    }
}

namespace {

// The molfile atom at the same place, within the four decimals AuxInfo keeps.
refAtom_c* atomAt(refMolecule_c& molecule, const refAtom_c& like) {
    for (uint32_t index : molecule.indicesOfKind(kindAtom)) {
        refAtom_c* atom = molecule.atom(index);
        if (std::fabs(atom->x() - like.x()) < 1e-4 && std::fabs(atom->y() - like.y()) < 1e-4 &&
            std::fabs(atom->z() - like.z()) < 1e-4)
            return atom;
    }
    return nullptr;
}

}  // namespace

// The read molecule against the molfile it came from, atom by atom: place,
// element, charge, isotope and radical. The edge sample is the one with
// charges, isotopes and radicals.
TEST(readMolecule, keepsTheMolfilesAtomValues) {
    const std::string sdFile = std::string(TAVR_SAMPLES) + "/edge-sample.sdf";
    const std::vector<referenceRecord_c> reference = inchiMain_n::runInchiMain(sdFile);
    ASSERT_FALSE(reference.empty());
    std::istringstream in(fileText(sdFile));
    molfile_n::sdSplitter_c splitter(in);
    molfile_n::sdRecord_c record;
    size_t checked = 0, charged = 0, isotopic = 0, radical = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        const referenceRecord_c& ref = reference[i];
        const int structure = static_cast<int>(i) + 1;
        ASSERT_TRUE(splitter.next(record));
        refMolecule_c original;
        molfile_n::readMolfile(record, original);
        refMolecule_c read;
        refhost::memoryInStream_c stream(ref.inchi + "\n" + ref.auxInfo + "\n");
        refhost::refAttributes_c attributes;
        ASSERT_EQ(TavrRead(&read, &stream, &attributes, "", nullptr), 1) << "structure " << structure;
        ASSERT_EQ(read.indicesOfKind(kindAtom).size(), original.indicesOfKind(kindAtom).size());
        for (uint32_t index : read.indicesOfKind(kindAtom)) {
            const refAtom_c& atom = *read.atom(index);
            refAtom_c* source = atomAt(original, atom);
            ASSERT_NE(source, nullptr) << "structure " << structure << " atom " << index;
            const std::string where = "structure " + std::to_string(structure) + " atom " + atom.symbolText();
            EXPECT_EQ(atom.symbolText(), source->symbolText()) << where;
            EXPECT_EQ(atom.chargeValue(), source->chargeValue()) << where;
            EXPECT_EQ(atom.isotopeValue(), source->isotopeValue()) << where;
            EXPECT_EQ(atom.countValue(countRadicalElectrons), source->countValue(countRadicalElectrons)) << where;
            EXPECT_EQ(atom.multiplicityValue(), source->multiplicityValue()) << where;
            charged += atom.chargeValue() != 0;
            isotopic += atom.isotopeValue() != 0;
            radical += atom.countValue(countRadicalElectrons) != 0;
            ++checked;
        }
    }
    EXPECT_GT(charged, 0u);
    EXPECT_GT(isotopic, 0u);
    EXPECT_GT(radical, 0u);
    RecordProperty("atomsChecked", static_cast<int>(checked));
}
