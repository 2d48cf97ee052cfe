#include "config/parameter_setup.h"

#include "config/line_file.h"

namespace config {

std::string BuildParameterLine(const ParameterLineInput& in) {
  std::vector<std::string> fields = {in.baName,
                                     in.systemName,
                                     in.ledPictureName,
                                     in.sensorPictureName,
                                     in.billMotorMinimum,
                                     in.billMotorMaximum,
                                     std::to_string(in.withStackerIndex),
                                     std::to_string(in.receiveDataModeIndex),
                                     in.ledNumber,
                                     std::to_string(in.finishAdjustModeIndex)};
  fields.insert(fields.end(), in.channelValues.begin(), in.channelValues.end());
  fields.push_back(std::to_string(in.ledMaskIndex));
  return JoinFields(fields);
}

}  // namespace config
