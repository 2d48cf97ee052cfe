#include "config/picture_path.h"

#include "config/line_file.h"

namespace config {

std::optional<std::string> PicturePath(std::string_view appFolder, std::string_view name) {
  using namespace std::string_view_literals;
  if (name.empty() || name == "."sv || name.find(".."sv) != std::string_view::npos ||
      name.find_first_of("/\\:\0"sv) != std::string_view::npos)
    return std::nullopt;
  return JoinPath(JoinPath(appFolder, "Picture"), name);
}

}  // namespace config
