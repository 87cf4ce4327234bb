// The reference host's molecule: a table of slots indexed by object index,
// each naming its kind and the object behind it, plus one ascending index list
// per kind, so that every set the driver asks for is filled without a search.
#include "refhost/refMolecule.h"

#include <stdexcept>

#include "refhost/setFill.h"

namespace refhost {

namespace {
// What ownerHandle hands out and addAtom expects back; any fixed value will do.
constexpr uint32_t theOwner = 0x0A70u;

// Objects come one at a time while a molecule is read; a list that starts with
// room for a small molecule skips the first rounds of regrowth.
constexpr size_t firstObjects = 32;

template <class T>
void roomForOne(std::vector<T>& list, size_t firstRoom)
{
    if (list.size() == list.capacity())
        list.reserve(list.empty() ? firstRoom : 2 * list.capacity());
}
}  // namespace

refMolecule_c::refMolecule_c() = default;
refMolecule_c::~refMolecule_c() = default;

std::vector<uint32_t>& refMolecule_c::roomForSlot(int32_t kind)
{
    std::vector<uint32_t>* list;
    switch (kind) {
    case kindAtomExtra45: list = &kind45_; break;
    case kindAtomExtra51: list = &kind51_; break;
    case kindBond: list = &kindBonds_; break;
    case kindGroup: list = &kindGroups_; break;
    default: list = &kindAtoms_; break;  // kindAtom, the one kind left that objects are made of
    }
    roomForOne(slots_, 2 * firstObjects);
    roomForOne(*list, firstObjects);
    return *list;
}

uint32_t refMolecule_c::takeSlot(std::vector<uint32_t>& list, int32_t kind, void* object)
{
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    slots_.push_back(slot_c{kind, object});
    list.push_back(index);
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
    std::vector<uint32_t>& list = roomForSlot(objectKind);
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    // An atom added through the interface starts without a symbol, which
    // needs neither a copy nor a lookup.
    refAtom_c& made =
        symbol == nullptr || symbol[0] == '\0' ? atoms_.emplace(*this, index) : atoms_.emplace(*this, index, symbol);
    return takeSlot(list, objectKind, &made);
}

uint32_t refMolecule_c::newMissingAtom(int32_t objectKind)
{
    if (!isAtomKind(objectKind))
        throw std::invalid_argument("atoms are of kind 21, 45 or 51");
    return takeSlot(roomForSlot(objectKind), objectKind, nullptr);
}

uint32_t refMolecule_c::newBond(uint32_t first, uint32_t second, int32_t order)
{
    // Ends that are no atom objects keep no bond list; the bond still names them.
    refAtom_c* a = atom(first);
    refAtom_c* b = second != first ? atom(second) : nullptr;
    std::vector<uint32_t>& list = roomForSlot(kindBond);
    if (a != nullptr)
        a->bonds_.reserveOne();
    if (b != nullptr)
        b->bonds_.reserveOne();
    const uint32_t index = static_cast<uint32_t>(slots_.size());
    refBond_c& made = bonds_.emplace(*this, index, first, second);
    made.order_ = order;
    takeSlot(list, kindBond, &made);
    if (a != nullptr)
        a->bonds_.push_back(index);
    if (b != nullptr)
        b->bonds_.push_back(index);
    return index;
}

uint32_t refMolecule_c::newGroup(int32_t typeCode)
{
    std::vector<uint32_t>& list = roomForSlot(kindGroup);
    refGroup_c& made = groups_.emplace(*this, static_cast<uint32_t>(slots_.size()), typeCode);
    return takeSlot(list, kindGroup, &made);
}

void refMolecule_c::setAddYieldsMissing(bool atoms, bool bonds)
{
    addAtomMissing_ = atoms;
    addBondMissing_ = bonds;
}

atom_c* refMolecule_c::atomAt(uint32_t index)
{
    report("atomAt", noObject, index, 0, 0);
    return atom(index);
}

bond_c* refMolecule_c::bondAt(uint32_t index)
{
    report("bondAt", noObject, index, 0, 0);
    return bond(index);
}

group_c* refMolecule_c::groupAt(uint32_t index)
{
    report("groupAt", noObject, index, 0, 0);
    return group(index);
}

uint32_t refMolecule_c::addAtom(uint32_t owner, int32_t reserved)
{
    report("addAtom", noObject, owner, reserved, 0);
    return addAtomMissing_ ? newMissingAtom(kindAtom) : newAtom("", kindAtom);
}

uint32_t refMolecule_c::addBond(uint32_t atomIndex, uint32_t neighbourIndex, int32_t reserved)
{
    static_cast<void>(reserved);
    report("addBond", noObject, atomIndex, neighbourIndex, 0);
    if (!addBondMissing_)
        return newBond(atomIndex, neighbourIndex, 1);
    return takeSlot(roomForSlot(kindBond), kindBond, nullptr);
}

uint32_t refMolecule_c::ownerHandle(int32_t reserved)
{
    report("ownerHandle", noObject, reserved, 0, 0);
    return theOwner;
}

bitSet_c& refMolecule_c::objectsOfKind(bitSet_c& set, int32_t kind)
{
    report("objectsOfKind", noObject, kind, 0, 0);
    const std::vector<uint32_t>& members = indicesOfKind(kind);
    fillAscendingSet(set, members.data(), static_cast<uint32_t>(members.size()));
    return set;
}

bitSet_c& refMolecule_c::bondsOfAtom(bitSet_c& set, uint32_t atomIndex)
{
    report("bondsOfAtom", noObject, atomIndex, 0, 0);
    const refAtom_c* a = atom(atomIndex);
    if (a != nullptr)
        fillAscendingSet(set, a->bonds_.data(), static_cast<uint32_t>(a->bonds_.size()));
    else
        fillSet(set, nullptr, 0);
    return set;
}

}  // namespace refhost
