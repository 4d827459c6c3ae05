#pragma once
// Synchronous calls into the page's scripts. A call runs a function body in
// the program's own script world of the view's top document and waits for its
// answer by iterating the default GLib main context, so that the caller stays
// synchronous while the page (and every other event source) keeps running.
//
// Values never become source text: each argument reaches the function as a
// named variable holding a string or a number, so no text of the page or of a
// contact can ever be taken for code.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "app/gobject_ptr.h"
#include "app/webkit_compat.h"

namespace borvanta::gtk {

// The isolated script world of the program's own scripts: they see the page's
// document, but page scripts cannot see or change their variables.
inline constexpr const char* programWorld = "borvanta";

// A value a call gave back; an empty one when the call failed (the script
// threw, or the page is gone).
class ScriptValue {
 public:
  ScriptValue() = default;
  explicit ScriptValue(GObjectPtr<JSCValue> value) : value_(std::move(value)) {}

  [[nodiscard]] bool failed() const { return !value_; }
  // null, undefined, or a failed call.
  [[nodiscard]] bool isNull() const;
  // JavaScript truthiness; false for a failed call.
  [[nodiscard]] bool toBool() const;
  // ToInt32 of the value; 0 for a failed call.
  [[nodiscard]] std::int32_t toInt32() const;
  // The value as UTF-8 text, cut at its first NUL; "" for null or a failed call.
  [[nodiscard]] std::string toString() const;
  // A property of an object value; empty when there is none.
  [[nodiscard]] ScriptValue property(const char* name) const;

 private:
  GObjectPtr<JSCValue> value_;
};

// One named argument. Text is UTF-8; it is cut at its first NUL and invalid
// sequences are replaced, since only valid text can cross.
struct ScriptArgument {
  const char* name;
  std::variant<std::string_view, std::int32_t> value;
};

// Calls `body` as the body of an async function with `arguments` as its named
// parameters, in script world `world` (null: the page's own), and waits for
// the result.
[[nodiscard]] ScriptValue callScriptInWorld(WebKitWebView* view, const char* world,
                                            std::string_view body,
                                            std::span<const ScriptArgument> arguments);

// The same in the program's world, where all of the program's scripts run.
[[nodiscard]] inline ScriptValue callScript(WebKitWebView* view, std::string_view body,
                                            std::span<const ScriptArgument> arguments) {
  return callScriptInWorld(view, programWorld, body, arguments);
}
[[nodiscard]] inline ScriptValue callScript(WebKitWebView* view, std::string_view body,
                                            std::initializer_list<ScriptArgument> arguments = {}) {
  return callScript(view, body, std::span<const ScriptArgument>(arguments));
}

}  // namespace borvanta::gtk
