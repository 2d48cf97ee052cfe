#include "sim/sim_profile.h"

#include <algorithm>
#include <cctype>

#include "config/config_files.h"
#include "config/line_file.h"
#include "config/profile_loader.h"
#include "config/system_version.h"

namespace sim {

namespace {

using Lines = std::vector<std::string>;
using Fields = std::vector<std::string>;

constexpr int kShortTextLength = 9;
constexpr int kLongTextLength = 20;
constexpr char kJudge[] = "JD001";
constexpr char kNoSecondDevice[] = "0000";

bool Printable(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

struct KeyLine {
  int index;
  Fields fields;
};

// The line the tool picks for a version among the lines with the system's key: the first
// whose bounds, when it has them, hold the version. -1 when none does or the tool would stop
// at a short line.
int ResolveSystem(const std::vector<KeyLine>& keyed, const std::string& version) {
  for (const KeyLine& line : keyed) {
    const Fields& f = line.fields;
    if (f.size() < config::kSystemFieldCount) return -1;
    if (f[config::kSystemMulti] == "1" &&
        (version < f[config::kSystemVersionMin] || version > f[config::kSystemVersionMax]))
      continue;
    return line.index;
  }
  return -1;
}

// A version of `width` digits that leads the tool to line `target`; empty when there is none.
std::string ChooseVersion(const Lines& lines, int target, const Fields& f, int width) {
  std::vector<KeyLine> keyed;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    Fields fields = config::SplitFields(lines[i]);
    if (fields[config::kSystemKey] == f[config::kSystemKey])
      keyed.push_back({static_cast<int>(i), std::move(fields)});
  }
  Lines candidates;
  for (int field : {config::kSystemVersionMin, config::kSystemVersionMax}) {
    if (static_cast<int>(f[field].size()) == width && Printable(f[field]))
      candidates.push_back(f[field]);
  }
  // Every number of the width, from a typical first release on.
  const int count = width == 2 ? 100 : 1000;
  for (int i = 0; i < count; ++i) {
    std::string digits = std::to_string((count / 10 + i) % count);
    candidates.push_back(std::string(static_cast<size_t>(width) - digits.size(), '0') + digits);
  }
  for (const std::string& v : candidates) {
    if (ResolveSystem(keyed, v) == target) return v;
  }
  return {};
}

// The first interface codes of the right width: one for a short report, two for a long one.
void ChooseInterfaces(const std::string& folder, SimProfile& p) {
  const size_t width = p.layout == ReportLayout::Short ? 1 : 2;
  Lines codes;
  if (auto lines = config::ReadConfigFile(folder, config::kInterfaceVersion)) {
    for (const std::string& line : *lines) {
      if (line.empty()) continue;
      const std::string code = config::SplitFields(line)[0];
      if (code.size() == width && Printable(code)) codes.push_back(code);
    }
  }
  p.interfaceCode = codes.empty() ? std::string(width, '0') : codes[0];
  if (p.layout == ReportLayout::Long && codes.size() > 1) p.secondInterfaceCode = codes[1];
}

// Five characters from the BA name for the short report's free part.
std::string NameTag(const std::string& baName) {
  std::string tag;
  for (char c : baName) {
    if (std::isalnum(static_cast<unsigned char>(c)) && tag.size() < 5)
      tag += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return tag + std::string(5 - tag.size(), '0');
}

std::string ReportText(const SimProfile& p) {
  if (p.layout == ReportLayout::Short) {
    return p.key + p.version + p.interfaceCode + NameTag(p.baName);
  }
  const std::string second =
      p.secondInterfaceCode.empty() ? kNoSecondDevice : p.secondInterfaceCode + "02";
  return p.key + "-" + p.version + p.interfaceCode + "01" + second + kJudge;
}

// The version panel captions the tool fills from the report (only those the loader reads).
config::VersionCaptions CaptionsOf(const SimProfile& p) {
  const std::string text = ReportText(p);
  config::VersionCaptions c;
  c.label1 = text;
  if (p.layout == ReportLayout::Long) {
    c.label3 = text.substr(0, 7);
    c.label5 = text.substr(7, 4);
    c.label7 = text.substr(11, 4);
  }
  return c;
}

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

// Fills `p` from line `target` of the system list; false with the reason when it cannot.
bool Build(const std::string& folder, const Lines& lines, int target, SimProfile& p,
           std::string* why) {
  const Fields f = config::SplitFields(lines[static_cast<size_t>(target)]);
  p.key = f[config::kSystemKey];
  p.systemName = f[config::kSystemName];
  p.baName = f[config::kSystemBaName];
  const std::string who = p.baName + " (" + p.systemName + ")";
  if (!Printable(p.key) || (p.key.size() != 1 && p.key.size() != 3))
    return Fail(why, who + ": a system key of 1 or 3 plain characters is needed");
  p.layout = p.key.size() == 1 ? ReportLayout::Short : ReportLayout::Long;
  p.version = ChooseVersion(lines, target, f, p.layout == ReportLayout::Short ? 2 : 3);
  if (p.version.empty())
    return Fail(why, who + ": no reported version would select this line of SystemVersion.txt");
  ChooseInterfaces(folder, p);
  const int layout = p.layout == ReportLayout::Short ? 1 : 2;
  const std::string shown = config::LoadActiveProfile(folder, layout, CaptionsOf(p), p.params);
  if (shown != p.baName || p.systemName == config::kUnknowable)
    return Fail(why, who + ": its parameter or command line is missing or invalid");
  p.stackerLetter = p.params.WithStacker == 1 ? 'P' : 'N';
  return true;
}

}  // namespace

std::optional<SimProfile> LoadSimProfile(const std::string& folder, const std::string& name,
                                         std::string* why) {
  const auto lines = config::ReadConfigFile(folder, config::kSystemVersion);
  if (!lines) {
    Fail(why, "cannot read " + config::JoinPath(folder, config::kSystemVersionFile));
    return std::nullopt;
  }
  for (size_t i = 0; i < lines->size(); ++i) {
    if ((*lines)[i].empty()) continue;
    const Fields f = config::SplitFields((*lines)[i]);
    if (f.size() < config::kSystemFieldCount) continue;
    if (f[config::kSystemBaName] != name && f[config::kSystemName] != name) continue;
    SimProfile p;
    if (!Build(folder, *lines, static_cast<int>(i), p, why)) return std::nullopt;
    return p;
  }
  Fail(why, "no system named \"" + name + "\" in " +
                config::JoinPath(folder, config::kSystemVersionFile));
  return std::nullopt;
}

std::vector<std::string> SampleSystemNames(const std::string& folder) {
  std::vector<std::string> names;
  const auto lines = config::ReadConfigFile(folder, config::kSystemVersion);
  if (!lines) return names;
  for (size_t i = 0; i < lines->size(); ++i) {
    if ((*lines)[i].empty()) continue;
    const Fields f = config::SplitFields((*lines)[i]);
    if (f.size() < config::kSystemFieldCount) continue;
    SimProfile p;
    if (!Build(folder, *lines, static_cast<int>(i), p, nullptr)) continue;
    const std::string name =
        p.baName + " (" + p.systemName + ", mode " + std::to_string(p.mode()) + ")";
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

std::vector<uint8_t> BuildVersionReport(const SimProfile& p) {
  const std::string text = ReportText(p);
  std::vector<uint8_t> out;
  if (p.layout == ReportLayout::Short) {
    out.push_back('&');
  } else {
    out.insert(out.end(), {'Z', 'R', 'N'});
  }
  // Exactly as many characters as the layout carries, so the bytes after them stay in place.
  const size_t length = p.layout == ReportLayout::Short ? kShortTextLength : kLongTextLength;
  for (size_t i = 0; i < length; ++i) out.push_back(i < text.size() ? text[i] : '0');
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  const uint8_t romHigh = static_cast<uint8_t>(sum >> 8), romLow = static_cast<uint8_t>(sum);
  if (p.layout == ReportLayout::Short) {
    // System, Device, Judge, Option.
    out.insert(out.end(), {0x01, static_cast<uint8_t>(p.mode()), 0x00,
                           static_cast<uint8_t>(p.channels()), 0x10, 0x00, 0x00, 0x00});
  }
  out.insert(out.end(), {romHigh, romLow, 0x12, 0x34, p.dipSw2, p.dipSw1});
  if (p.layout == ReportLayout::Long) out.push_back(static_cast<uint8_t>(p.stackerLetter));
  return out;
}

}  // namespace sim
