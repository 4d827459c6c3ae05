#pragma once
// A deterministic address book of `count` Korean contacts in the shapes real
// exports have: Outlook 2.1 cards in ks_c_5601-1987 quoted-printable and
// Gmail-like 3.0 cards in UTF-8; names joined, split and spaced, compound
// surnames, words of address, Latin names; telephone numbers in many
// written forms, +82 numbers; companies and titles; now and then a group.

#include <cstddef>
#include <cstdint>
#include <string>

namespace borvanta::vcard::vcardtest {

[[nodiscard]] std::string generateAddressBook(std::size_t count, std::uint32_t seed = 20240312);

}  // namespace borvanta::vcard::vcardtest
