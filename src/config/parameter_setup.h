#pragma once
#include <string>
#include <vector>

namespace config {

// ParameterSetup.txt: with N channels a line has 11 + 6N fields.
enum ParameterField : int {
  kParamBaName = 0,
  kParamSystemName = 1,
  kParamLedPicture = 2,
  kParamSensorPicture = 3,
  kParamBillMotorMin = 4,
  kParamBillMotorMax = 5,
  kParamWithStacker = 6,
  kParamReceiveDataMode = 7,
  kParamLedNumber = 8,
  kParamFinishAdjustMode = 9,
};

inline constexpr int kMaxLedNumber = 85;
inline constexpr int kChannelTableCount = 6;

// Field of channel c (1..n) of table k (0 sensor value minimum .. 5 adjust range maximum).
constexpr int ChannelField(int n, int table, int channel) {
  return 9 + table * n + channel;
}
constexpr int LedMaskField(int n) {
  return 10 + 6 * n;
}
constexpr int ParameterFieldCount(int n) {
  return 11 + 6 * n;
}

// A parameter line as the setup screen writes it: texts of its boxes, list indexes of its
// choices, and the channel grid's boxes in grid order (table by table, channel by channel).
struct ParameterLineInput {
  std::string baName;
  std::string systemName;
  std::string ledPictureName;
  std::string sensorPictureName;
  std::string billMotorMinimum;
  std::string billMotorMaximum;
  int withStackerIndex = 0;
  int receiveDataModeIndex = 0;
  std::string ledNumber;
  int finishAdjustModeIndex = 0;
  std::vector<std::string> channelValues;
  int ledMaskIndex = 0;
};
std::string BuildParameterLine(const ParameterLineInput& in);

}  // namespace config
