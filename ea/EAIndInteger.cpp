#include "ea/EAIndInteger.h"

// Member-wise copies: the shared part, then all 100 bits and numBits.
EAIndInteger::EAIndInteger() = default;
EAIndInteger::EAIndInteger(const EAIndInteger& other) = default;
EAIndInteger::EAIndInteger(EAIndInteger&& other) noexcept = default;
EAIndInteger& EAIndInteger::operator=(const EAIndInteger& other) = default;
EAIndInteger& EAIndInteger::operator=(EAIndInteger&& other) noexcept = default;
EAIndInteger::~EAIndInteger() = default;
