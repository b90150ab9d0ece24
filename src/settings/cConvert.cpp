#include "cConvert.h"

namespace {
constexpr long double kPoundsPerKilogram = 2.20462262185L;
}

double TConvertClass::KgToLb(double kg)
{
    return static_cast<double>(static_cast<long double>(kg) * kPoundsPerKilogram);
}

double TConvertClass::LbToKg(double lb)
{
    return static_cast<double>(static_cast<long double>(lb) / kPoundsPerKilogram);
}
