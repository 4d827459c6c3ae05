#include "bench/value_samples.h"

#include "core/cp949.h"
#include "core/utf.h"
#include "job/phone_number.h"
#include "tools/generator/fields.h"

namespace borvanta::bench {

namespace {

constexpr std::uint64_t kSeed = 1;

// Code page 949 of a generated value; a value the code page cannot hold
// arrives as the store would give it, with question marks.
std::string narrow(const std::string& utf8) {
  return utf8ToCp949(utf8).text;
}

void addText(ValueSamples& samples, const std::string& utf8) {
  if (utf8.empty() || utf8ToCp949(utf8).lossy) return;
  samples.textsUtf8.push_back(utf8);
  samples.textsCp949.push_back(narrow(utf8));
  samples.textsUtf16.push_back(utf8ToUtf16(utf8));
}

ContactRecord recordOf(const generator::ContactFields& f) {
  ContactRecord record;
  record.firstName = narrow(f.firstName);
  record.lastName = narrow(f.lastName);
  record.companyName = narrow(f.companyName);
  record.fileAs = narrow(f.fileAs);
  record.businessFax = narrow(f.businessFax);
  record.businessPhone = narrow(f.businessPhone);
  record.mobilePhone = narrow(f.mobilePhone);
  record.homePhone = narrow(f.homePhone);
  record.jobTitle = narrow(f.jobTitle);
  record.department = narrow(f.department);
  return record;
}

}  // namespace

ValueSamples makeValueSamples(std::size_t contacts) {
  const std::vector<generator::Contact> generated =
      generator::makeContacts(kSeed, contacts, generator::FileVersion::Mixed);
  ValueSamples samples;
  samples.phoneNumbers = generator::phoneNumbersOf(generated);
  for (const std::string& number : samples.phoneNumbers) {
    if (normalizePhoneNumber(number) == number) samples.normalisedNumbers.push_back(number);
    if (number.find("+82") == std::string::npos && number.find("+44") == std::string::npos) {
      samples.nationalNumbers.push_back(number);
    }
  }
  for (const std::string& name : generator::joinedNamesOf(generated))
    samples.joinedNames.push_back(narrow(name));
  for (const generator::Contact& contact : generated) {
    const generator::ContactFields fields = generator::fieldsOf(contact);
    samples.records.push_back(recordOf(fields));
    addText(samples, contact.formatted);
    addText(samples, fields.companyName);
    addText(samples, fields.department);
    addText(samples, fields.jobTitle);
  }
  return samples;
}

}  // namespace borvanta::bench
