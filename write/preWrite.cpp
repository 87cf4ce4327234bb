// TavrPreWrite: declares, ahead of a write, the fixed property of this format
// and, for two or more atoms, whether the coordinates are 3D. It keeps nothing
// for the write that follows, makes no library call and takes no lock.
#include "containers/bitSet_c.h"
#include "driver/entries.h"
#include "host/attributes_c.h"
#include "host/molecule_c.h"
#include "host/tavrelException_c.h"
#include "write/threeDRule.h"

namespace {

constexpr int32_t resultDone = 1;
constexpr int32_t resultAttributeFailed = 5;
constexpr int32_t resultHostFailed = 16;

constexpr int32_t formatGroup = 0x65;
constexpr int32_t formatProperty = 0x6501;
constexpr int32_t coordinatesGroup = 10;
constexpr int32_t coordinatesKnown = 0x0A01;
constexpr int32_t coordinatesThreeD = 0x0A02;

// A failed declaration does not stop the sequence; it only marks the result,
// and a later success does not clear the mark.
class declarations_c {
public:
    explicit declarations_c(attributes_c& attributes) : attributes_(attributes), result_(resultDone) {}

    void openGroup(int32_t group) { note(attributes_.openGroup(group)); }
    void setProperty(int32_t key, int32_t value) { note(attributes_.setProperty(key, value)); }
    void setValue(int32_t key, bool truth) { note(attributes_.setValue(key, truth ? 1 : 0)); }
    int32_t result() const { return result_; }

private:
    void note(uint32_t status) {
        if (!statusOk(status)) result_ = resultAttributeFailed;
    }

    attributes_c& attributes_;
    int32_t result_;
};

// z is asked a second time only when the lower bound does not decide; a z that
// is not a number fails the first comparison and so counts as 3D.
bool atomIsThreeD(atom_c& atom) {
    if (!(atom.z3D() > -InChI_n::threeDBound)) return true;
    return !(atom.z3D() < InChI_n::threeDBound);
}

// Stops at the first 3D atom. Indices without an atom object are skipped.
bool anyAtomThreeD(molecule_c& molecule, const bitSet_c& atoms) {
    uint32_t i = 0;
    for (bool more = atoms.nextSetBit(0, i); more; more = atoms.nextSetBit(i + 1, i)) {
        atom_c* atom = molecule.atomAt(i);
        if (atom && atomIsThreeD(*atom)) return true;
    }
    return false;
}

int32_t declare(attributes_c& attributes, molecule_c& molecule) {
    declarations_c declarations(attributes);
    declarations.openGroup(formatGroup);
    declarations.setProperty(formatProperty, 1);

    bitSet_c atoms;
    molecule.objectsOfKind(atoms, kindAtom);
    const bool threeD = anyAtomThreeD(molecule, atoms);
    if (atoms.bitCount() >= 2) {
        declarations.openGroup(coordinatesGroup);
        declarations.setValue(coordinatesKnown, true);
        declarations.setValue(coordinatesThreeD, threeD);
    }
    return declarations.result();
}

}  // namespace

TAVR_EXPORT int TavrPreWrite(attributes_c* attributes, molecule_c* molecule, void* /*reserved*/) {
    // Without either object there is nothing to declare into or about.
    if (!attributes || !molecule) return resultHostFailed;
    try {
        return declare(*attributes, *molecule);
    } catch (const tavrelException_c& failure) {
        return failure.code;
    } catch (...) {
        return resultHostFailed;
    }
}
