#include "app/script_call.h"

namespace borvanta::gtk {

namespace {

// Valid UTF-8 up to the first NUL, as a GVariant string.
GVariant* textVariant(std::string_view text) {
  const std::string_view upToNul = text.substr(0, text.find('\0'));
  return g_variant_new_take_string(
      g_utf8_make_valid(upToNul.data(), static_cast<gssize>(upToNul.size())));
}

GVariant* argumentsVariant(std::span<const ScriptArgument> arguments) {
  GVariantDict dict;
  g_variant_dict_init(&dict, nullptr);
  for (const ScriptArgument& argument : arguments) {
    GVariant* value = std::visit(
        [](auto v) -> GVariant* {
          using V = decltype(v);
          if constexpr (std::is_same_v<V, std::string_view>) {
            return textVariant(v);
          } else {
            return g_variant_new_int32(v);
          }
        },
        argument.value);
    g_variant_dict_insert_value(&dict, argument.name, value);
  }
  return g_variant_dict_end(&dict);  // floating: the call takes it
}

// The state of one call until its answer arrives.
struct PendingCall {
  bool done = false;
  GObjectPtr<JSCValue> value;
};

void callFinished(GObject* source, GAsyncResult* result, gpointer data) {
  auto* pending = static_cast<PendingCall*>(data);
  GError* error = nullptr;
  JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source),
                                                                          result, &error);
  // A script that threw, or a page that went away, answers with an error: the
  // call counts as failed and its caller falls back to its own default.
  const GErrorPtr owned(error);
  if (error != nullptr) g_debug("script call failed: %s", error->message);
  pending->value.reset(value);
  pending->done = true;
}

}  // namespace

bool ScriptValue::isNull() const {
  return !value_ || jsc_value_is_null(value_.get()) || jsc_value_is_undefined(value_.get());
}

bool ScriptValue::toBool() const {
  return value_ && jsc_value_to_boolean(value_.get());
}

std::int32_t ScriptValue::toInt32() const {
  return value_ ? jsc_value_to_int32(value_.get()) : 0;
}

std::string ScriptValue::toString() const {
  if (isNull()) return {};
  GCharPtr text(jsc_value_to_string(value_.get()));
  return text ? std::string(text.get()) : std::string();
}

ScriptValue ScriptValue::property(const char* name) const {
  if (!value_ || !jsc_value_is_object(value_.get())) return {};
  return ScriptValue(GObjectPtr<JSCValue>(jsc_value_object_get_property(value_.get(), name)));
}

ScriptValue callScriptInWorld(WebKitWebView* view, const char* world, std::string_view body,
                              std::span<const ScriptArgument> arguments) {
  PendingCall pending;
  webkit_web_view_call_async_javascript_function(
      view, body.data(), static_cast<gssize>(body.size()), argumentsVariant(arguments), world,
      nullptr, nullptr, callFinished, &pending);
  // The answer comes through the main context; everything else that is
  // waiting there (page events, repaints, a navigation) is dispatched too.
  while (!pending.done)
    g_main_context_iteration(nullptr, TRUE);
  return ScriptValue(std::move(pending.value));
}

}  // namespace borvanta::gtk
