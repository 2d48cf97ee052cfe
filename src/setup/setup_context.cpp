#include "setup/setup_context.h"

#include "base/text.h"
#include "config/line_file.h"

namespace setup {

bool SetupContext::ConfirmDelete() const {
  form::MessageBoxRequest ask;
  ask.text = "Are you sure will delete this Version?";
  ask.title = form::kToolTitle;
  ask.buttons = form::MsgButtons::OkCancel;
  ask.icon = form::MsgIcon::Exclamation;
  ask.defaultCancel = true;
  form::MessageBoxes* boxes = form.host().messages;
  return boxes && boxes->show(ask) == form::MsgResult::Ok;
}

void SetupContext::TellFileProblem(std::string_view file, std::string_view what) const {
  form::MessageBoxRequest tell;
  tell.text = std::string(file) + " " + std::string(what);
  tell.title = form::kToolTitle;
  tell.icon = form::MsgIcon::Critical;
  if (form::MessageBoxes* boxes = form.host().messages) boxes->show(tell);
}

std::vector<std::string> FieldsOf(std::string_view line) {
  return config::SplitFields(line);
}

bool LineMatches(std::string_view line, int a, std::string_view va, int b, std::string_view vb) {
  if (line.empty()) return false;
  const std::vector<std::string> f = FieldsOf(line);
  const auto field = [&](int i) -> std::string_view {
    return i < static_cast<int>(f.size()) ? std::string_view(f[static_cast<size_t>(i)])
                                          : std::string_view();
  };
  // A missing field matches nothing, not even an empty name.
  return a < static_cast<int>(f.size()) && b < static_cast<int>(f.size()) && field(a) == va &&
         field(b) == vb;
}

int LeadingNumber(std::string_view text) {
  int n = 0;
  for (char ch : text) {
    if (!base::IsDigit(ch)) break;
    n = n > 99999 ? n : n * 10 + (ch - '0');
  }
  return n;
}

}  // namespace setup
