#include "config/profile_loader.h"

#include <optional>
#include <vector>

#include "base/text.h"
#include "config/command_setup.h"
#include "config/config_files.h"
#include "config/interface_version.h"
#include "config/number_text.h"
#include "config/parameter_setup.h"
#include "config/system_version.h"

namespace config {
namespace {

using Fields = std::vector<std::string>;
using Lines = std::vector<std::string>;

enum class Lookup { Found, NotFound, Failed };

bool Has(const Fields& f, int index) {
  return index >= 0 && static_cast<size_t>(index) < f.size();
}

bool AssignText(const Fields& f, int index, std::string& out) {
  if (!Has(f, index)) return false;
  out = f[index];
  return true;
}

bool AssignNumber(const Fields& f, int index, int16_t& out) {
  if (!Has(f, index)) return false;
  const std::optional<int16_t> value = TextToInt16(f[index]);
  if (!value) return false;
  out = *value;
  return true;
}

struct SystemMatch {
  std::string systemName;
  std::string baName;
};

// The first system line for `key` whose version bounds (when it has them) hold `version`.
Lookup FindSystem(const Lines& lines, const std::string& key, const std::string& version,
                  SystemMatch& match) {
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    const Fields f = SplitFields(line);
    if (f[kSystemKey] != key) continue;
    if (!Has(f, kSystemMulti)) return Lookup::Failed;
    if (f[kSystemMulti] == "1") {
      if (!Has(f, kSystemVersionMax)) return Lookup::Failed;
      if (version < f[kSystemVersionMin] || version > f[kSystemVersionMax]) continue;
    }
    if (!AssignText(f, kSystemName, match.systemName) ||
        !AssignText(f, kSystemBaName, match.baName))
      return Lookup::Failed;
    return Lookup::Found;
  }
  return Lookup::NotFound;
}

// The first non-empty line keyed by (BA name, system name). Every non-empty line read up to
// it needs both key fields.
Lookup FindKeyedLine(const Lines& lines, const SystemMatch& system, Fields& found) {
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    Fields f = SplitFields(line);
    if (f.size() < 2) return Lookup::Failed;
    if (f[0] == system.baName && f[1] == system.systemName) {
      found = std::move(f);
      return Lookup::Found;
    }
  }
  return Lookup::NotFound;
}

bool AssignParameters(const Fields& f, ActiveProfile& p) {
  if (!AssignText(f, kParamLedPicture, p.LedPictureName) ||
      !AssignText(f, kParamSensorPicture, p.SensorPictureName) ||
      !AssignNumber(f, kParamBillMotorMin, p.BillMotorMinimum) ||
      !AssignNumber(f, kParamBillMotorMax, p.BillMotorMaximum) ||
      !AssignNumber(f, kParamWithStacker, p.WithStacker) ||
      !AssignNumber(f, kParamReceiveDataMode, p.ReceiveDataMode))
    return false;
  // N is checked before it is kept, so LedNumber always indexes the channel tables.
  int16_t n = 0;
  if (!AssignNumber(f, kParamLedNumber, n) || n < 0 || n > kMaxLedNumber) return false;
  p.LedNumber = n;
  if (!AssignNumber(f, kParamFinishAdjustMode, p.FinishAdjustMode)) return false;
  for (int k = 0; k < kChannelTableCount; ++k) {
    ChannelTable& table = p.*kChannelTables[k].member;
    for (int c = 1; c <= n; ++c) {
      if (!AssignNumber(f, ChannelField(n, k, c), table[c])) return false;
    }
  }
  return AssignNumber(f, LedMaskField(n), p.LedMask);
}

bool AssignCommandCodes(const Fields& f, ActiveProfile& p) {
  for (int j = 0; j < kCommandCodeCount; ++j) {
    if (!AssignNumber(f, kFirstCodeField + j, p.*kCommandCodes[j].member)) return false;
  }
  return true;
}

// The steps of a profile load; false as soon as one fails or finds nothing.
bool LoadProfile(std::string_view appFolder, int layout, const VersionCaptions& captions,
                 ActiveProfile& profile, std::string& baName) {
  std::string key, version;
  if (layout == 1) {
    key = base::CharSlice(captions.label1, 0, 1);
    version = base::CharSlice(captions.label1, 1, 2);
  } else if (layout == 2) {
    key = base::CharSlice(captions.label3, 0, 3);
    version = base::CharSlice(captions.label1, 4, 3);
  } else {
    return false;
  }

  const std::optional<Lines> systems = ReadConfigFile(appFolder, kSystemVersion);
  SystemMatch system;
  if (!systems || FindSystem(*systems, key, version, system) != Lookup::Found) return false;
  // A system named "Unknowable" is no system: nothing more is read.
  if (system.systemName == kUnknowable) return false;
  baName = system.baName;

  profile.LedPictureName.clear();
  const std::optional<Lines> parameters = ReadConfigFile(appFolder, kParameterSetup);
  if (!parameters) return false;
  Fields f;
  switch (FindKeyedLine(*parameters, system, f)) {
    case Lookup::Failed:
      return false;
    case Lookup::Found:
      if (!AssignParameters(f, profile)) return false;
      break;
    case Lookup::NotFound:
      break;
  }
  if (profile.LedPictureName.empty()) return false;

  profile.EnterTestModeCode = 0;
  const std::optional<Lines> commands = ReadConfigFile(appFolder, kCommandSetup);
  if (!commands) return false;
  switch (FindKeyedLine(*commands, system, f)) {
    case Lookup::Failed:
      return false;
    case Lookup::Found:
      if (!AssignCommandCodes(f, profile)) return false;
      break;
    case Lookup::NotFound:
      break;
  }
  return profile.EnterTestModeCode != 0;
}

// The interface text of the first non-empty line with `code`.
Lookup FindInterface(const Lines& lines, const std::string& code, std::string& text) {
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    const Fields f = SplitFields(line);
    if (f[kInterfaceCode] != code) continue;
    return AssignText(f, kInterfaceText, text) ? Lookup::Found : Lookup::Failed;
  }
  return Lookup::NotFound;
}

}  // namespace

std::string LoadActiveProfile(std::string_view appFolder, int versionLayout,
                              const VersionCaptions& captions, ActiveProfile& profile) {
  std::string baName;
  if (!LoadProfile(appFolder, versionLayout, captions, profile, baName))
    return std::string(kUnknowable);
  return baName;
}

std::string LoadInterfaceVersion(std::string_view appFolder, int versionLayout,
                                 const VersionCaptions& captions) {
  std::string result(kUnknowable);
  if (versionLayout != 1 && versionLayout != 2) return result;
  const std::optional<Lines> lines = ReadConfigFile(appFolder, kInterfaceVersion);
  if (!lines) return std::string(kUnknowable);

  const std::string first = versionLayout == 1 ? base::CharSlice(captions.label1, 3, 1)
                                               : base::CharSlice(captions.label5, 0, 2);
  if (FindInterface(*lines, first, result) == Lookup::Failed) return std::string(kUnknowable);
  if (versionLayout == 2 && captions.label7 != "0000") {
    std::string second;
    switch (FindInterface(*lines, base::CharSlice(captions.label7, 0, 2), second)) {
      case Lookup::Failed:
        return std::string(kUnknowable);
      case Lookup::Found:
        result += "+" + second;
        break;
      case Lookup::NotFound:
        break;
    }
  }
  return result;
}

}  // namespace config
