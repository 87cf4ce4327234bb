// Bonds of the reference host; each interface operation reports itself
// through the molecule first.
#include "refhost/refMolecule.h"

namespace refhost {

refBond_c::refBond_c(refMolecule_c& molecule, uint32_t index, uint32_t first, uint32_t second)
    : molecule_(molecule), index_(index), first_(first), second_(second)
{
}

uint32_t refBond_c::atomIndexAt(int32_t end)
{
    report("atomIndexAt", end);
    return end == 0 ? first_ : second_;
}

void refBond_c::setStereoFlag(int32_t flag)
{
    report("setStereoFlag", flag);
    stereoFlag_ = flag;
}

void refBond_c::setDoubleStereo(int32_t code)
{
    report("setDoubleStereo", code);
    doubleStereo_ = code;
}

void refBond_c::setOrder(int32_t order)
{
    report("setOrder", order);
    order_ = order;
}

void refBond_c::setWedge(int32_t code)
{
    report("setWedge", code);
    wedge_ = code;
}

int32_t refBond_c::doubleStereo()
{
    report("doubleStereo");
    return doubleStereo_;
}

int32_t refBond_c::order()
{
    report("order");
    return order_;
}

int32_t refBond_c::wedge()
{
    report("wedge");
    return wedge_;
}

}  // namespace refhost
