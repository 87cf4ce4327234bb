// tavr-inchi write: SD records in, InChI (and AuxInfo, InChIKey) lines out.

#include <algorithm>
#include <cctype>
#include <ostream>

#include "converter/commands.h"
#include "converter/driverModule.h"
#include "converter/inchiKey.h"
#include "converter/molfile.h"
#include "converter/parallelRecords.h"
#include "converter/recordCodec.h"
#include "converter/recordLoop.h"
#include "converter/refusalReason.h"
#include "refhost/refAttributes.h"
#include "refhost/refMolecule.h"
#include "refhost/refStreams.h"

namespace converter_n {

namespace {

// The driver leaves out the AuxInfo when the options hold AUXNONE in any case.
bool auxInfoWanted(const std::string& options) {
    std::string upper = options;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return upper.find("AUXNONE") == std::string::npos;
}

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

struct driverText_c {
    std::string inchi, auxInfo;
};

// What TavrWrite put on the stream: the InChI, then a line end and the AuxInfo line.
driverText_c splitDriverText(const std::string& text) {
    driverText_c parts;
    size_t end = text.find('\n');
    parts.inchi = text.substr(0, end);
    if (end != std::string::npos) {
        std::string rest = text.substr(end + 1);
        parts.auxInfo = rest.substr(0, rest.find('\n'));
    }
    return parts;
}

// A failed record keeps its place: the same number of lines, empty, or in
// tabbed output its title and an empty field.
std::string placeholder(const writeSettings_c& settings, const std::string& title) {
    if (settings.tabbed)
        return oneLine(title) + "\t\n";
    size_t lines = 1 + (auxInfoWanted(settings.options) ? 1 : 0) + (settings.key ? 1 : 0);
    return std::string(lines, '\n');
}

recordOutcome_c failed(const writeSettings_c& settings, const std::string& title, const std::string& reason) {
    return recordOutcome_c{placeholder(settings, title), reason};
}

}  // namespace

recordOutcome_c writeRecord(const driverModule_c& driver, const writeSettings_c& settings,
                            const molfile_n::sdRecord_c& record) {
    refhost::refMolecule_c molecule;
    try {
        molfile_n::readMolfile(record, molecule);
    } catch (const molfile_n::molfileError_c& error) {
        return failed(settings, record.title, error.what());
    }
    if (molecule.indicesOfKind(kindAtom).empty())
        return failed(settings, record.title, "no atoms: an empty structure has no InChI");

    refhost::refAttributes_c attributes;
    int declared = driver.preWrite()(&attributes, &molecule, nullptr);
    if (declared != 1)
        return failed(settings, record.title, "the driver's pre-write answered " + std::to_string(declared));
    refhost::memoryOutStream_c stream;
    if (driver.write()(&molecule, &stream, settings.options.c_str(), nullptr) != 1) {
        std::string reason = refusalReason(molecule);
        return failed(settings, record.title,
                      "the driver refused the structure" + (reason.empty() ? std::string() : ": " + reason));
    }
    driverText_c text = splitDriverText(stream.text());
    std::string key;
    if (settings.key) {
        key = inchiKeyLine(text.inchi);
        if (key.empty())
            return failed(settings, record.title, "the InChI library computed no InChIKey for " + text.inchi);
    }
    bool withAuxInfo = auxInfoWanted(settings.options);
    recordOutcome_c outcome;
    if (settings.tabbed) {
        outcome.output = oneLine(record.title) + '\t' + text.inchi;
        if (withAuxInfo)
            outcome.output += '\t' + text.auxInfo;
        if (settings.key)
            outcome.output += '\t' + key;
        outcome.output += '\n';
    } else {
        outcome.output = text.inchi + '\n';
        if (withAuxInfo)
            outcome.output += text.auxInfo + '\n';
        if (settings.key)
            outcome.output += key + '\n';
    }
    return outcome;
}

int runWrite(const driverModule_c& driver, const writeSettings_c& settings, const std::vector<std::string>& files,
             std::ostream& out, unsigned jobs) {
    if (jobs <= 1) {
        return runRecords(files, out, [&](std::istream& in, recordSink_c& sink) {
            molfile_n::sdSplitter_c splitter(in);
            molfile_n::sdRecord_c record;
            while (splitter.next(record))
                sink.put(record.number, record.title, writeRecord(driver, settings, record));
        });
    }
    auto work = [&](const std::string& request) {
        return encodeOutcome(writeRecord(driver, settings, decodeSdRecord(request)));
    };
    return runInWorkers(jobs, work, [&](workerPool_c& pool) {
        return runRecords(files, out, [&](std::istream& in, recordSink_c& sink) {
            molfile_n::sdSplitter_c splitter(in);
            molfile_n::sdRecord_c record;
            while (splitter.next(record))
                submitRecord(pool, sink, record.number, record.title, encodeSdRecord(record));
            pool.finish();
        });
    });
}

}  // namespace converter_n
