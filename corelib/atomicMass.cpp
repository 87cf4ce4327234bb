// Average atomic masses of the elements: IUPAC's abridged standard atomic
// weights (conventional values for elements whose weight is an interval), and
// for elements without a stable isotope the mass number IUPAC gives in
// brackets, that of the longest-lived isotope.
#include "host/tavrelcore.h"

namespace {

constexpr int elementCount = 118;

constexpr double averageMass[] = {
    0,
    1.008,   4.0026,  6.94,    9.0122,  10.81,   12.011,  14.007,  15.999,  18.998,  20.180,   // H..Ne
    22.990,  24.305,  26.982,  28.085,  30.974,  32.06,   35.45,   39.95,                      // Na..Ar
    39.098,  40.078,  44.956,  47.867,  50.942,  51.996,  54.938,  55.845,  58.933,  58.693,   // K..Ni
    63.546,  65.38,   69.723,  72.630,  74.922,  78.971,  79.904,  83.798,                     // Cu..Kr
    85.468,  87.62,   88.906,  91.224,  92.906,  95.95,   98,      101.07,  102.91,  106.42,   // Rb..Pd
    107.87,  112.41,  114.82,  118.71,  121.76,  127.60,  126.90,  131.29,                     // Ag..Xe
    132.91,  137.33,                                                                           // Cs, Ba
    138.91,  140.12,  140.91,  144.24,  145,     150.36,  151.96,  157.25,  158.93,  162.50,   // La..Dy
    164.93,  167.26,  168.93,  173.05,  174.97,                                                // Ho..Lu
    178.49,  180.95,  183.84,  186.21,  190.23,  192.22,  195.08,  196.97,  200.59,            // Hf..Hg
    204.38,  207.2,   208.98,  209,     210,     222,                                          // Tl..Rn
    223,     226,                                                                              // Fr, Ra
    227,     232.04,  231.04,  238.03,  237,     244,     243,     247,     247,     251,      // Ac..Cf
    252,     257,     258,     259,     266,                                                   // Es..Lr
    267,     268,     269,     270,     269,     278,     281,     282,     285,               // Rf..Cn
    286,     290,     290,     293,     294,     294,                                          // Nh..Og
};

static_assert(sizeof averageMass / sizeof averageMass[0] == elementCount + 1, "one mass per element");

}  // namespace

extern "C" double TavrAtomicNumberToMass(int atomicNumber, int /*reserved*/)
{
    if (atomicNumber < 1 || atomicNumber > elementCount)
        return 0;
    return averageMass[atomicNumber];
}
