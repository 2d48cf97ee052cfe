#pragma once
#include <nlohmann/json.hpp>

#include "form/control.h"
#include "form/form.h"

namespace script {

// The state of a control with the keys its kind has.
nlohmann::ordered_json ControlJson(const form::Control& c);
// A screen's caption and visibility.
nlohmann::ordered_json ScreenJson(const form::Form& f);

}  // namespace script
