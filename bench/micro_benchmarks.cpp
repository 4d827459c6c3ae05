// Micro-benchmarks of the job's text rules, of the code page conversions and
// of reading and writing vCard cards, each over many values of generated
// contacts. Every benchmark reports values per second (items_per_second) and
// heap allocations per value.
//
//   borvanta_bench [--contacts=N] [Google Benchmark flags]
//
// --contacts=N takes the samples from the first N generated contacts
// (default 4096); the smoke test runs with a handful.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/register_over_values.h"
#include "bench/value_samples.h"
#include "bench/vcard_benchmarks.h"
#include "core/cp949.h"
#include "job/display_name.h"
#include "job/name_separation.h"
#include "job/phone_number.h"

namespace borvanta::bench {

namespace {

constexpr std::size_t kDefaultContacts = 4096;

void registerPhoneNumbers(const ValueSamples& s) {
  auto normalize = [](const std::string& v) { return normalizePhoneNumber(v); };
  auto removeCode = [](const std::string& v) { return removeCountryCode(v); };
  registerOverValues("normalizePhoneNumber/all", s.phoneNumbers, normalize);
  registerOverValues("normalizePhoneNumber/unchanged", s.normalisedNumbers, normalize);
  registerOverValues("removeCountryCode/all", s.phoneNumbers, removeCode);
  registerOverValues("removeCountryCode/unchanged", s.nationalNumbers, removeCode);
  // As the telephone passes call them: nothing is copied for a value that
  // stays as it is.
  auto normalizeIfChanged = [](const std::string& v) { return normalizedPhoneNumberIfChanged(v); };
  auto removeCodeIfChanged = [](const std::string& v) { return withoutCountryCodeIfChanged(v); };
  registerOverValues("normalizedPhoneNumberIfChanged/all", s.phoneNumbers, normalizeIfChanged);
  registerOverValues("normalizedPhoneNumberIfChanged/unchanged", s.normalisedNumbers,
                     normalizeIfChanged);
  registerOverValues("withoutCountryCodeIfChanged/all", s.phoneNumbers, removeCodeIfChanged);
  registerOverValues("withoutCountryCodeIfChanged/unchanged", s.nationalNumbers,
                     removeCodeIfChanged);
}

void registerNames(const ValueSamples& s) {
  registerOverValues("splitFullName/all", s.joinedNames,
                     [](const std::string& v) { return splitFullName(v); });
}

void registerDisplayNames(const ValueSamples& s) {
  struct Template {
    const char* name;
    const char* text;
  };
  // Templates a user picks on the page, with the separators the cleanups tidy.
  static constexpr Template kTemplates[] = {
      {"buildDisplayName/name(company/department)", "이름(회사명/부서)"},
      {"buildDisplayName/name (company)", "이름 (회사명)"},
      {"buildDisplayName/company name title", "회사명 이름 직급"},
      {"buildDisplayName/name-company-department", "이름-회사명-부서"},
  };
  for (const Template& t : kTemplates) {
    registerOverValues(t.name, s.records, [text = cp949(t.text)](const ContactRecord& record) {
      return buildDisplayName(text, record, 1).text;
    });
  }
}

void registerConversions(const ValueSamples& s) {
  registerOverValues("utf8ToCp949", s.textsUtf8,
                     [](const std::string& v) { return utf8ToCp949(v).text; });
  registerOverValues("cp949ToUtf8", s.textsCp949,
                     [](const std::string& v) { return cp949ToUtf8(v); });
  registerOverValues("utf16ToCp949", s.textsUtf16,
                     [](const std::u16string& v) { return utf16ToCp949(v).text; });
  registerOverValues("cp949ToUtf16", s.textsCp949,
                     [](const std::string& v) { return cp949ToUtf16(v); });
}

// --contacts=N, removed from the arguments; the rest is Google Benchmark's.
std::size_t takeContactsFlag(int& argc, char** argv) {
  constexpr std::string_view kFlag = "--contacts=";
  std::size_t contacts = kDefaultContacts;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with(kFlag)) {
      contacts = std::strtoull(argv[i] + kFlag.size(), nullptr, 10);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return contacts;
}

}  // namespace

}  // namespace borvanta::bench

int main(int argc, char** argv) {
  using namespace borvanta::bench;
  const std::size_t contacts = takeContactsFlag(argc, argv);
  const ValueSamples samples = makeValueSamples(contacts == 0 ? 1 : contacts);
  registerPhoneNumbers(samples);
  registerNames(samples);
  registerDisplayNames(samples);
  registerConversions(samples);
  const std::shared_ptr<VcardBenchFiles> files =
      registerVcardBenchmarks(contacts == 0 ? 1 : contacts);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
