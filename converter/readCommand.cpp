// tavr-inchi read: InChI records (InChI line and AuxInfo line) in, SD records out.

#include <ostream>

#include "converter/auxInfoHydrogens.h"
#include "converter/commands.h"
#include "converter/driverModule.h"
#include "converter/inchiRecords.h"
#include "converter/molfile.h"
#include "converter/parallelRecords.h"
#include "converter/recordCodec.h"
#include "converter/recordLoop.h"
#include "host/molecule_c.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

namespace converter_n {

namespace {

constexpr int32_t chiralFlagGroup = 12;

std::string sdRecord(refhost::refMolecule_c& molecule, const std::string& title) {
    return molfile_n::writeMolfile(molecule, title) + "$$$$\n";
}

// A record that could not be read keeps its place as an SD record without atoms.
recordOutcome_c failed(const std::string& title, const std::string& reason) {
    refhost::refMolecule_c empty;
    return recordOutcome_c{sdRecord(empty, title), reason};
}

}  // namespace

recordOutcome_c readRecord(const driverModule_c& driver, const inchiRecord_c& record) {
    if (record.auxInfo.empty())
        return failed(record.title, "no AuxInfo line follows the InChI on line " + std::to_string(record.line) +
                                        "; the structure is read from the AuxInfo");
    refhost::refMolecule_c molecule;
    refhost::memoryInStream_c stream(record.inchi + '\n' + record.auxInfo + '\n');
    refhost::refAttributes_c attributes;
    if (driver.read()(&molecule, &stream, &attributes, nullptr, nullptr) != 1)
        return failed(record.title, "the driver could not read the AuxInfo on line " + std::to_string(record.auxLine));
    // The InChI library accepts some AuxInfo texts it finds no atom in; an
    // SD record without atoms would not give the InChI back.
    if (molecule.indicesOfKind(kindAtom).empty())
        return failed(record.title, "the AuxInfo on line " + std::to_string(record.auxLine) + " holds no atoms");
    auxInfoFacts_c facts = encodeAuxInfoHydrogens(record.auxInfo, molecule);
    if (facts.chiral)
        molecule.newGroup(chiralFlagGroup);
    return recordOutcome_c{sdRecord(molecule, record.title), {}};
}

int runRead(const driverModule_c& driver, const std::vector<std::string>& files, std::ostream& out, unsigned jobs) {
    if (jobs <= 1) {
        return runRecords(files, out, [&](std::istream& in, recordSink_c& sink) {
            inchiRecordReader_c reader(in);
            inchiRecord_c record;
            while (reader.next(record))
                sink.put(record.number, record.title, readRecord(driver, record));
        });
    }
    auto work = [&](const std::string& request) { return encodeOutcome(readRecord(driver, decodeInchiRecord(request))); };
    return runInWorkers(jobs, work, [&](workerPool_c& pool) {
        return runRecords(files, out, [&](std::istream& in, recordSink_c& sink) {
            inchiRecordReader_c reader(in);
            inchiRecord_c record;
            while (reader.next(record))
                submitRecord(pool, sink, record.number, record.title, encodeInchiRecord(record));
            pool.finish();
        });
    });
}

}  // namespace converter_n
