#include "converter/recordCodec.h"

#include "converter/wire.h"

namespace converter_n {

std::string encodeSdRecord(const molfile_n::sdRecord_c& record) {
    wireWriter_c writer;
    writer.text(record.text);
    writer.number(record.number);
    writer.number(record.firstLine);
    writer.text(record.title);
    writer.number(record.overLimit ? 1 : 0);
    return writer.take();
}

molfile_n::sdRecord_c decodeSdRecord(const std::string& message) {
    wireReader_c reader(message);
    molfile_n::sdRecord_c record;
    record.text = reader.text();
    record.number = size_t(reader.number());
    record.firstLine = size_t(reader.number());
    record.title = reader.text();
    record.overLimit = reader.number() != 0;
    return record;
}

std::string encodeInchiRecord(const inchiRecord_c& record) {
    wireWriter_c writer;
    writer.text(record.inchi);
    writer.text(record.auxInfo);
    writer.text(record.title);
    writer.number(record.number);
    writer.number(record.line);
    writer.number(record.auxLine);
    return writer.take();
}

inchiRecord_c decodeInchiRecord(const std::string& message) {
    wireReader_c reader(message);
    inchiRecord_c record;
    record.inchi = reader.text();
    record.auxInfo = reader.text();
    record.title = reader.text();
    record.number = size_t(reader.number());
    record.line = size_t(reader.number());
    record.auxLine = size_t(reader.number());
    return record;
}

std::string encodeOutcome(const recordOutcome_c& outcome) {
    wireWriter_c writer;
    writer.text(outcome.output);
    writer.text(outcome.failure);
    return writer.take();
}

recordOutcome_c decodeOutcome(const std::string& message) {
    wireReader_c reader(message);
    recordOutcome_c outcome;
    outcome.output = reader.text();
    outcome.failure = reader.text();
    return outcome;
}

}  // namespace converter_n
