// Atoms of the reference host. Each operation of the host interface reports
// itself through the molecule before it does its work; the builder methods in
// the header do not.
#include <vector>

#include "refhost/elements.h"
#include "refhost/refMolecule.h"
#include "refhost/setFill.h"

namespace refhost {

namespace {
constexpr int32_t countCodes = 32;
bool isCountCode(int32_t code) { return code >= 0 && code < countCodes; }
}  // namespace

refAtom_c::refAtom_c(refMolecule_c& molecule, uint32_t index) : molecule_(molecule), index_(index) {}

refAtom_c::refAtom_c(refMolecule_c& molecule, uint32_t index, const char* symbol)
    : molecule_(molecule), index_(index), symbol_(symbol != nullptr ? symbol : ""),
      atomicNumber_(atomicNumberOf(symbol_.c_str()))
{
}

void refAtom_c::storeSymbol(const char* symbol)
{
    symbol_.assign(symbol != nullptr ? symbol : "");
    atomicNumber_ = atomicNumberOf(symbol_.c_str());
}

int32_t refAtom_c::countValue(int32_t code) const { return isCountCode(code) ? counts_[code] : 0; }

int32_t refAtom_c::kind()
{
    report("kind");
    return kind_;
}

uint32_t refAtom_c::index()
{
    report("index");
    return index_;
}

bitSet_c& refAtom_c::relatedSet(bitSet_c& set, int32_t kind)
{
    report("relatedSet", kind);
    if (kind == kindBond)
        fillAscendingSet(set, bonds_.data(), static_cast<uint32_t>(bonds_.size()));
    else
        fillSet(set, nullptr, 0);
    return set;
}

int32_t refAtom_c::atomicNumber()
{
    report("atomicNumber");
    return atomicNumber_;
}

void refAtom_c::setCharge(int32_t charge)
{
    report("setCharge", charge);
    charge_ = charge;
}

int32_t refAtom_c::charge()
{
    report("charge");
    return charge_;
}

void refAtom_c::setIsotopeMass(int32_t mass)
{
    report("setIsotopeMass", mass);
    isotope_ = mass;
}

int32_t refAtom_c::isotopeMass()
{
    report("isotopeMass");
    return isotope_;
}

void refAtom_c::setMultiplicity(int32_t multiplicity)
{
    report("setMultiplicity", multiplicity);
    multiplicity_ = multiplicity;
}

int32_t refAtom_c::multiplicity()
{
    report("multiplicity");
    return multiplicity_;
}

void refAtom_c::setCount(int32_t code, int32_t n)
{
    report("setCount", code, n);
    if (isCountCode(code))
        counts_[code] = n;
}

int32_t refAtom_c::count(int32_t code)
{
    report("count", code);
    return countValue(code);
}

void refAtom_c::setSymbol(const char* symbol)
{
    report("setSymbol");
    storeSymbol(symbol);
}

const char* refAtom_c::symbol()
{
    report("symbol");
    return symbol_.c_str();
}

int32_t refAtom_c::valence()
{
    report("valence");
    return valence_;
}

void refAtom_c::setX(float v)
{
    report("setX", 0, 0, v);
    x_ = v;
}

double refAtom_c::x2D()
{
    report("x2D");
    return x_;
}

void refAtom_c::setY(float v)
{
    report("setY", 0, 0, v);
    y_ = v;
}

double refAtom_c::y2D()
{
    report("y2D");
    return y_;
}

void refAtom_c::setZ(float v)
{
    report("setZ", 0, 0, v);
    z_ = v;
}

double refAtom_c::x3D()
{
    report("x3D");
    return x_;
}

double refAtom_c::y3D()
{
    report("y3D");
    return y_;
}

double refAtom_c::z3D()
{
    report("z3D");
    return z_;
}

bitSet_c& refAtom_c::neighbours(bitSet_c& set, int32_t kind)
{
    report("neighbours", kind);
    if (kind != kindAtom) {
        fillSet(set, nullptr, 0);
        return set;
    }
    // One bond lookup per bond, into a buffer on the stack; only an atom with
    // more bonds than it holds gathers them on the heap.
    constexpr size_t buffered = 32;
    const size_t count = bonds_.size() + phantoms_.size();
    uint32_t buffer[buffered];
    std::vector<uint32_t> spilled;
    uint32_t* others = buffer;
    if (count > buffered) {
        spilled.resize(count);
        others = spilled.data();
    }
    size_t n = 0;
    for (uint32_t b : bonds_)
        others[n++] = molecule_.bond(b)->other(index_);
    for (uint32_t p : phantoms_)
        others[n++] = p;
    fillSet(set, others, static_cast<uint32_t>(n));
    return set;
}

}  // namespace refhost
