// The reference host's molecule: a table of slots indexed by object index,
// each naming its kind and the object behind it, plus one ascending index list
// per kind, so that every set the driver asks for is filled without a search.
#include "refhost/refMolecule.h"

#include <stdexcept>
#include <utility>

#include "refhost/setFill.h"

namespace refhost {

namespace {
// What ownerHandle hands out and addAtom expects back; any fixed value will do.
constexpr uint32_t theOwner = 0x0A70u;

bool isAtomKind(int32_t kind) { return kind == kindAtom || kind == kindAtomExtra45 || kind == kindAtomExtra51; }

// Objects come one at a time while a molecule is read; a list that starts with
// room for a small molecule skips the first rounds of regrowth, which were
// most of what making an atom or a bond cost.
constexpr size_t firstObjects = 32;
constexpr size_t firstBondsAtAtom = 4;

template <class T, class V>
void append(std::vector<T>& list, V&& value, size_t firstRoom)
{
    if (list.capacity() == 0)
        list.reserve(firstRoom);
    list.push_back(std::forward<V>(value));
}
}  // namespace

refMolecule_c::refMolecule_c() = default;
refMolecule_c::~refMolecule_c() = default;

uint32_t refMolecule_c::newSlot(int32_t kind, int32_t payload)
{
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    append(slots_, slot_c{kind, payload}, 2 * firstObjects);
    switch (kind) {
    case kindAtom: append(kindAtoms_, index, firstObjects); break;
    case kindAtomExtra45: append(kind45_, index, firstObjects); break;
    case kindAtomExtra51: append(kind51_, index, firstObjects); break;
    case kindBond: append(kindBonds_, index, firstObjects); break;
    case kindGroup: append(kindGroups_, index, firstObjects); break;
    default: break;
    }
    return index;
}

const std::vector<uint32_t>& refMolecule_c::indicesOfKind(int32_t kind) const
{
    switch (kind) {
    case kindAtom: return kindAtoms_;
    case kindAtomExtra45: return kind45_;
    case kindAtomExtra51: return kind51_;
    case kindBond: return kindBonds_;
    case kindGroup: return kindGroups_;
    default: return kindNone_;
    }
}

uint32_t refMolecule_c::objectCount() const { return static_cast<uint32_t>(slots_.size()); }

uint32_t refMolecule_c::newAtom(const char* symbol, int32_t objectKind)
{
    if (!isAtomKind(objectKind))
        throw std::invalid_argument("atoms are of kind 21, 45 or 51");
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    append(atoms_, std::make_unique<refAtom_c>(*this, index), firstObjects);
    atoms_.back()->storeSymbol(symbol);
    newSlot(objectKind, static_cast<int32_t>(atoms_.size() - 1));
    return index;
}

uint32_t refMolecule_c::newMissingAtom(int32_t objectKind)
{
    if (!isAtomKind(objectKind))
        throw std::invalid_argument("atoms are of kind 21, 45 or 51");
    return newSlot(objectKind, -1);
}

uint32_t refMolecule_c::newBond(uint32_t first, uint32_t second, int32_t order)
{
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    append(bonds_, std::make_unique<refBond_c>(*this, index, first, second), firstObjects);
    bonds_.back()->order_ = order;
    newSlot(kindBond, static_cast<int32_t>(bonds_.size() - 1));
    // Ends that are no atom objects keep no bond list; the bond still names them.
    if (refAtom_c* a = atom(first))
        append(a->bonds_, index, firstBondsAtAtom);
    if (second != first) {
        if (refAtom_c* b = atom(second))
            append(b->bonds_, index, firstBondsAtAtom);
    }
    return index;
}

uint32_t refMolecule_c::newGroup(int32_t typeCode)
{
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    groups_.push_back(std::make_unique<refGroup_c>(*this, index, typeCode));
    newSlot(kindGroup, static_cast<int32_t>(groups_.size() - 1));
    return index;
}

refAtom_c* refMolecule_c::atom(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return isAtomKind(slot.kind) && slot.payload >= 0 ? atoms_[slot.payload].get() : nullptr;
}

refBond_c* refMolecule_c::bond(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return slot.kind == kindBond && slot.payload >= 0 ? bonds_[slot.payload].get() : nullptr;
}

refGroup_c* refMolecule_c::group(uint32_t index)
{
    if (index >= slots_.size())
        return nullptr;
    const slot_c& slot = slots_[index];
    return slot.kind == kindGroup && slot.payload >= 0 ? groups_[slot.payload].get() : nullptr;
}

void refMolecule_c::setAddYieldsMissing(bool atoms, bool bonds)
{
    addAtomMissing_ = atoms;
    addBondMissing_ = bonds;
}

atom_c* refMolecule_c::atomAt(uint32_t index)
{
    report(hostCall_c{"atomAt", noObject, index, 0, 0});
    return atom(index);
}

bond_c* refMolecule_c::bondAt(uint32_t index)
{
    report(hostCall_c{"bondAt", noObject, index, 0, 0});
    return bond(index);
}

group_c* refMolecule_c::groupAt(uint32_t index)
{
    report(hostCall_c{"groupAt", noObject, index, 0, 0});
    return group(index);
}

uint32_t refMolecule_c::addAtom(uint32_t owner, int32_t reserved)
{
    report(hostCall_c{"addAtom", noObject, owner, reserved, 0});
    return addAtomMissing_ ? newMissingAtom(kindAtom) : newAtom("", kindAtom);
}

uint32_t refMolecule_c::addBond(uint32_t atomIndex, uint32_t neighbourIndex, int32_t reserved)
{
    static_cast<void>(reserved);
    report(hostCall_c{"addBond", noObject, atomIndex, neighbourIndex, 0});
    return addBondMissing_ ? newSlot(kindBond, -1) : newBond(atomIndex, neighbourIndex, 1);
}

uint32_t refMolecule_c::ownerHandle(int32_t reserved)
{
    report(hostCall_c{"ownerHandle", noObject, reserved, 0, 0});
    return theOwner;
}

bitSet_c& refMolecule_c::objectsOfKind(bitSet_c& set, int32_t kind)
{
    report(hostCall_c{"objectsOfKind", noObject, kind, 0, 0});
    const std::vector<uint32_t>& members = indicesOfKind(kind);
    fillSet(set, members.data(), static_cast<uint32_t>(members.size()));
    return set;
}

bitSet_c& refMolecule_c::bondsOfAtom(bitSet_c& set, uint32_t atomIndex)
{
    report(hostCall_c{"bondsOfAtom", noObject, atomIndex, 0, 0});
    const refAtom_c* a = atom(atomIndex);
    if (a != nullptr)
        fillSet(set, a->bondIndices().data(), static_cast<uint32_t>(a->bondIndices().size()));
    else
        fillSet(set, nullptr, 0);
    return set;
}

}  // namespace refhost
