#pragma once
// The inputs of the micro-benchmarks: values of generated contacts, in the
// forms the job sees them (code page 949 text, records), many different ones
// so that no benchmark measures a single lucky value.

#include <cstddef>
#include <string>
#include <vector>

#include "job/contact_record.h"

namespace borvanta::bench {

struct ValueSamples {
  std::vector<std::string> phoneNumbers;       // every number of the contacts, as written
  std::vector<std::string> normalisedNumbers;  // those normalizePhoneNumber leaves as they are
  std::vector<std::string> nationalNumbers;    // those without +82 or +44
  std::vector<std::string> joinedNames;        // family + given name, code page 949
  std::vector<ContactRecord> records;          // the ten fields, code page 949
  std::vector<std::string> textsUtf8;          // names, companies, departments, titles
  std::vector<std::string> textsCp949;         // the same texts in code page 949
  std::vector<std::u16string> textsUtf16;      // and in UTF-16
};

// Samples from the first `contacts` contacts of the benchmark book.
[[nodiscard]] ValueSamples makeValueSamples(std::size_t contacts);

}  // namespace borvanta::bench
