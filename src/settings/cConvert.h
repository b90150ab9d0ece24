#pragma once

// Weight conversion between kilograms and pounds. The factor is held at extended
// precision; results are rounded to double on return.
class TConvertClass {
public:
    TConvertClass() = delete;

    static double KgToLb(double kg);
    static double LbToKg(double lb);
};
