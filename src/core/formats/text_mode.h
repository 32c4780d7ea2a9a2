#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pictavo {

// Picture files go through a text-mode translation on their way to disk: each
// 0x0A byte of the record is stored as 0x0D 0x0A.
std::vector<std::uint8_t> ToStoredForm(std::span<const std::uint8_t> record);

// Undoes ToStoredForm: a stored pair 0x0D 0x0A becomes 0x0A; every other byte,
// a lone 0x0D included, is kept, and no byte value ends the data early.
std::vector<std::uint8_t> FromStoredForm(std::span<const std::uint8_t> stored);

}  // namespace pictavo
