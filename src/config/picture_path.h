#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace config {

// Full path of a profile picture in the "Picture" folder of `appFolder`. Nothing for a name
// that is empty or could leave that folder: one holding "..", "/", "\", ":" or NUL.
std::optional<std::string> PicturePath(std::string_view appFolder, std::string_view name);

}  // namespace config
