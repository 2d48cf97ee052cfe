#pragma once
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace script {

// One `expect` line: what `show NAME` or `state NAME` should print.
struct Expectation {
  bool state = false;  // `expect state NAME VALUE`
  std::string name;
  nlohmann::ordered_json values;   // key -> expected value; a state's value under "value"
  nlohmann::ordered_json differs;  // key -> a value that must not show (`key!=value`)
};

// Parses the text after `expect`: `NAME key=value...` (`key!=value` for a value that must not
// show) or `state NAME value`. A value is a
// JSON literal; a bare word that is none is a plain string, and nothing after '=' is "".
// Nothing, with `error` set, when the text is malformed.
std::optional<Expectation> ParseExpectation(std::string_view text, std::string& error);

}  // namespace script
