#pragma once
// A strict reader of the files the generator writes, for its tests only: it
// splits cards and properties, undoes folding, quoted-printable and escapes,
// converts code page 949 to UTF-8, and lists every rule a line breaks.

#include <string>
#include <string_view>
#include <vector>

namespace borvanta::testing_support {

struct ScannedProperty {
  std::string group;                    // "item1", or empty
  std::string name;                     // upper case: "TEL"
  std::vector<std::string> parameters;  // as written: "CELL", "TYPE=WORK,VOICE"
  std::vector<std::string> components;  // the decoded value in UTF-8, split at ";"
  std::string bytes;                    // the value after quoted-printable, before charset
  bool quotedPrintable = false;
  bool rawEightBit = false;        // 2.1 value with a charset, written as bytes
  std::vector<std::string> lines;  // the physical lines, without CRLF

  [[nodiscard]] std::string value() const;  // components joined by ";"
  [[nodiscard]] bool hasParameter(std::string_view parameter) const;
};

struct ScannedCard {
  std::string version;  // "2.1", "3.0", "4.0"
  std::string text;     // the card's bytes, BEGIN to END line included
  std::vector<ScannedProperty> properties;

  [[nodiscard]] const ScannedProperty* first(std::string_view name) const;
  [[nodiscard]] std::vector<const ScannedProperty*> all(std::string_view name) const;
  [[nodiscard]] bool isList() const;
};

struct Scan {
  std::vector<ScannedCard> cards;
  std::vector<std::string> problems;  // every rule broken, with where
};

[[nodiscard]] Scan scanVcards(std::string_view file);

}  // namespace borvanta::testing_support
