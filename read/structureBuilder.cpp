#include "read/structureBuilder.h"

#include <cmath>
#include <cstring>

#include "containers/bitSet_c.h"
#include "driver/driverErrors.h"
#include "host/molecule_c.h"
#include "host/tavrelcore.h"
#include "read/readErrors.h"

namespace InChI_n {
namespace Read_n {

namespace {

constexpr int32_t bondTypeDouble = 2;
constexpr int32_t stereoFlagNotChiral = 2;
constexpr int32_t doubleStereoEither = 3;
constexpr int32_t lowestIsotopeShift = ISOTOPIC_SHIFT_FLAG - ISOTOPIC_SHIFT_MAX;
constexpr int32_t highestIsotopeShift = ISOTOPIC_SHIFT_FLAG + ISOTOPIC_SHIFT_MAX;

// The library promises neighbour entries inside its atom array, but its AuxInfo
// parser lets a bond to atom 0 through as neighbour -1 and a bond of an atom to
// itself through as a self-loop, and an atom with too many bonds spills its
// neighbours over the record's other fields, its element name among them. The
// build trusts every index and text it reads, so such a record is refused whole
// before the molecule is touched.
void checkRecords(const InchiInpData& data) {
    const inchi_Input* input = data.pInp;
    if (!input) throw badData();
    if (input->num_atoms > 0 && !input->atom) throw badData();
    for (int32_t i = 0; i < input->num_atoms; ++i) {
        const inchi_Atom& record = input->atom[i];
        if (record.num_bonds > MAXVAL) throw badData();
        if (record.elname[0] == '\0' || !std::memchr(record.elname, '\0', ATOM_EL_LEN)) throw badData();
        for (int32_t j = 0; j < record.num_bonds; ++j) {
            const int32_t neighbour = record.neighbor[j];
            if (neighbour < 0 || neighbour >= input->num_atoms || neighbour == i) throw badData();
        }
    }
}

// Toward zero, as the host's masses are averages (79.904 counts 79). A value
// with no integer of its own (not a number, out of range) counts 0.
int32_t truncatedMass(double mass) {
    if (!std::isfinite(mass) || std::fabs(mass) >= 1.0e9) return 0;
    return static_cast<int32_t>(mass);
}

// An isotopic_mass near ISOTOPIC_SHIFT_FLAG is a shift from the element's
// average mass; the host wants the mass number itself.
int32_t isotopeMassOf(atom_c& atom, int32_t recorded) {
    if (recorded < lowestIsotopeShift || recorded > highestIsotopeShift) return recorded;
    return recorded + truncatedMass(TavrAtomicNumberToMass(atom.atomicNumber(), 0)) - ISOTOPIC_SHIFT_FLAG;
}

void setRadical(atom_c& atom, int32_t radical) {
    switch (radical) {
        case INCHI_RADICAL_SINGLET:
            atom.setMultiplicity(1);
            atom.setCount(countRadicalElectrons, 2);
            break;
        case INCHI_RADICAL_DOUBLET:
            atom.setCount(countRadicalElectrons, 1);
            break;
        case INCHI_RADICAL_TRIPLET:
            atom.setMultiplicity(3);
            atom.setCount(countRadicalElectrons, 2);
            break;
        default:
            break;
    }
}

}  // namespace

int32_t inchiToHostStereo(int8_t stereo, int32_t bondType) {
    if (bondType == bondTypeDouble) {
        switch (stereo) {
            case INCHI_BOND_STEREO_NONE: return 0;
            case INCHI_BOND_STEREO_DOUBLE_EITHER: return doubleStereoEither;
            default: throw badBondType_c();
        }
    }
    // The host bond runs from the current atom to the neighbour: the library's
    // 1-codes are seen from the current atom, its 2-codes from the neighbour.
    switch (stereo) {
        case INCHI_BOND_STEREO_NONE: return 0;
        case INCHI_BOND_STEREO_SINGLE_1UP: return 1;
        case INCHI_BOND_STEREO_SINGLE_1DOWN: return 2;
        case INCHI_BOND_STEREO_SINGLE_1EITHER: return 3;
        case INCHI_BOND_STEREO_SINGLE_2UP: return 6;
        case INCHI_BOND_STEREO_SINGLE_2DOWN: return 7;
        case INCHI_BOND_STEREO_SINGLE_2EITHER: return 8;
        default: throw badBondType_c();
    }
}

structureBuilder_c::structureBuilder_c(molecule_c& target)
    : owner(target.ownerHandle(-1)), atomsByRecord(), molecule(target) {}

void structureBuilder_c::build(const InchiInpData& data) {
    checkRecords(data);
    // checkRecords has made sure that every neighbour names a record.
    atomsByRecord.resize(static_cast<size_t>(data.pInp->num_atoms > 0 ? data.pInp->num_atoms : 0));
    for (int32_t i = 0; i < data.pInp->num_atoms; ++i) {
        const int16_t record = static_cast<int16_t>(i);
        if (atom_c* atom = getAtom(record)) setAtom(*atom, data, record);
    }
}

atom_c* structureBuilder_c::getAtom(int16_t record) {
    if (record < 0) throw badData();
    const size_t at = static_cast<size_t>(record);
    if (at >= atomsByRecord.size()) atomsByRecord.resize(at + 1);
    madeAtom_c& entry = atomsByRecord[at];
    if (!entry.made) {
        entry.atom = molecule.atomAt(molecule.addAtom(owner, -1));
        entry.made = true;
    }
    return entry.atom;
}

// The sets live as long as the builder: the host refills them for every
// neighbour entry, in storage they already own once a molecule outgrows the
// inline words.
bool structureBuilder_c::shareBond(atom_c& first, atom_c& second) {
    first.relatedSet(firstBonds, kindBond);
    second.relatedSet(secondBonds, kindBond);
    return !sharedBonds.assignAnd(firstBonds, secondBonds).isEmpty();
}

void structureBuilder_c::addNeighbourBond(atom_c& atom, const inchi_Atom& record, int16_t j, bool chiral) {
    atom_c* neighbour = getAtom(record.neighbor[j]);
    if (!neighbour) return;
    // A bond listed by both of its atoms is made once, by the first entry met;
    // the later entry changes nothing, even when its type or stereo differ.
    if (shareBond(*neighbour, atom)) return;
    const uint32_t from = atom.index();
    const uint32_t to = neighbour->index();
    bond_c* bond = molecule.bondAt(molecule.addBond(from, to, -1));
    if (!bond) return;
    const int32_t type = record.bond_type[j];
    bond->setOrder(type);
    if (type == bondTypeDouble) {
        bond->setDoubleStereo(inchiToHostStereo(record.bond_stereo[j], type));
        return;
    }
    const int32_t wedge = inchiToHostStereo(record.bond_stereo[j], type);
    bond->setWedge(wedge);
    if (wedge != 0 && !chiral) bond->setStereoFlag(stereoFlagNotChiral);
}

void structureBuilder_c::setAtom(atom_c& atom, const InchiInpData& data, int16_t recordIndex) {
    const inchi_Atom& record = data.pInp->atom[recordIndex];
    atom.setX(static_cast<float>(record.x));
    atom.setY(static_cast<float>(record.y));
    atom.setZ(static_cast<float>(record.z));
    const bool chiral = data.bChiral == 1;
    for (int32_t j = 0; j < record.num_bonds; ++j) addNeighbourBond(atom, record, static_cast<int16_t>(j), chiral);
    atom.setSymbol(record.elname);
    atom.setCharge(record.charge);
    setRadical(atom, record.radical);
    // atomicNumber is asked only here, after setSymbol has given the element.
    atom.setIsotopeMass(isotopeMassOf(atom, record.isotopic_mass));
    atom.setCount(countImplicit1H, record.num_iso_H[1]);
    atom.setCount(countImplicit2H, record.num_iso_H[2]);
    atom.setCount(countImplicit3H, record.num_iso_H[3]);
    atom.setCount(countImplicitH, record.num_iso_H[0]);
}

void buildStructure(molecule_c& molecule, const InchiInpData& data) {
    structureBuilder_c builder(molecule);
    builder.build(data);
}

}  // namespace Read_n
}  // namespace InChI_n
