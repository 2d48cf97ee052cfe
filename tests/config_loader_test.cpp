#include <gtest/gtest.h>

#include "config/profile_loader.h"
#include "config_temp_folder.h"

namespace {

using config::ActiveProfile;
using config::VersionCaptions;
using config_test::TempFolder;

const char kCodes[] = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21";
// N = 2: tables 11,12 / 21,22 / ... / 61,62, then the LED mask.
const char kParams[] = "led.bmp,sensor.bmp,100,200,1,6,2,0,11,12,21,22,31,32,41,42,51,52,61,62,1";

class ConfigLoadProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("SystemVersion.txt", "B,1,10,19,Standard,Alpha\r\n");
    dir.write("ParameterSetup.txt", std::string("Alpha,Standard,") + kParams + "\r\n");
    dir.write("CommandSetup.txt", std::string("Alpha,Standard,") + kCodes + "\r\n");
  }
  std::string loadShort(const std::string& programVersion) {
    return config::LoadActiveProfile(dir.path(), 1, {programVersion, "", "", ""}, profile);
  }
  TempFolder dir;
  ActiveProfile profile;
};

TEST_F(ConfigLoadProfile, ShortReplyLoadsEveryField) {
  EXPECT_EQ(loadShort("B12X"), "Alpha");
  EXPECT_EQ(profile.LedPictureName, "led.bmp");
  EXPECT_EQ(profile.SensorPictureName, "sensor.bmp");
  EXPECT_EQ(profile.BillMotorMaximum, 200);
  EXPECT_EQ(profile.ReceiveDataMode, 6);
  EXPECT_EQ(profile.LedNumber, 2);
  EXPECT_EQ(profile.SensorValueMinimum[1], 11);
  EXPECT_EQ(profile.VrRangeMaximum[2], 42);
  EXPECT_EQ(profile.AdjustRangeMaximum[2], 62);
  EXPECT_EQ(profile.AdjustRangeMaximum[3], 0);
  EXPECT_EQ(profile.LedMask, 1);
  EXPECT_EQ(profile.EnterTestModeCode, 1);
  EXPECT_EQ(profile.AllLedDarkCode, 21);
  int fields = 0;
  config::VisitProfile(std::as_const(profile), [&](std::string_view, const auto&) { ++fields; });
  EXPECT_EQ(fields, 36);
}

TEST_F(ConfigLoadProfile, SystemLineMatching) {
  EXPECT_EQ(loadShort("B25"), "Unknowable");
  dir.write("SystemVersion.txt", "  \r\nB,1,05,09,S1,One\r\nB,0,x,y,S2,Two\r\nB,0,,,S3,Three\r\n");
  dir.write("ParameterSetup.txt", std::string("One,S1,") + kParams + "\r\nTwo,S2," + kParams);
  dir.write("CommandSetup.txt",
            std::string("One,S1,") + kCodes + "\nTwo,S2," + kCodes + "\nThree,S3," + kCodes);
  EXPECT_EQ(loadShort("B07"), "One");
  EXPECT_EQ(loadShort("B10"), "Two");  // outside 05..09: the next line with the key
  EXPECT_EQ(loadShort("B04"), "Two");
  EXPECT_EQ(loadShort("B7"), "Two");  // "7" > "09" as text
  EXPECT_EQ(loadShort("C07"), "Unknowable");
  EXPECT_EQ(loadShort("b07"), "Unknowable");  // keys match case and all
  EXPECT_EQ(loadShort(""), "Unknowable");
}

TEST_F(ConfigLoadProfile, ASystemNamedUnknowableIsNoSystem) {
  dir.write("SystemVersion.txt", "B,0,,,Unknowable,Alpha\r\nB,0,,,Standard,Alpha\r\n");
  dir.write("ParameterSetup.txt", std::string("Alpha,Unknowable,") + kParams + "\r\n");
  dir.write("CommandSetup.txt", std::string("Alpha,Unknowable,") + kCodes + "\r\n");
  profile.LedPictureName = "old.bmp";
  EXPECT_EQ(loadShort("B12"), "Unknowable");     // the first matching line decides
  EXPECT_EQ(profile.LedPictureName, "old.bmp");  // no parameter line was read
  EXPECT_EQ(profile.EnterTestModeCode, 0);
}

TEST_F(ConfigLoadProfile, LongReplyCountsCharactersNotBytes) {
  dir.write("SystemVersion.txt",
            "\xC4"
            "BC,1,100,109,Standard,Alpha\r\n");  // "ÄBC"
  EXPECT_EQ(
      config::LoadActiveProfile(dir.path(), 2, {"\u00C4xy 105", "\u00C4BCD", "", ""}, profile),
      "Alpha");
  EXPECT_EQ(config::LoadActiveProfile(dir.path(), 2, {"\u00C4xy 110", "\u00C4BC", "", ""}, profile),
            "Unknowable");
  EXPECT_EQ(config::LoadActiveProfile(dir.path(), 3, {"B12", "", "", ""}, profile), "Unknowable");
}

TEST_F(ConfigLoadProfile, MissingParametersStopBeforeTheCommands) {
  dir.write("ParameterSetup.txt", std::string("Alpha,Other,") + kParams);
  profile.LedPictureName = "old.bmp";
  profile.EnterTestModeCode = 99;
  EXPECT_EQ(loadShort("B12"), "Unknowable");
  EXPECT_EQ(profile.LedPictureName, "");
  EXPECT_EQ(profile.EnterTestModeCode, 99);
}

TEST_F(ConfigLoadProfile, EmptyPictureOrZeroEntryCodeIsUnknowable) {
  dir.write("ParameterSetup.txt", "Alpha,Standard,,s.bmp,7,8,0,1,0,0,0");
  EXPECT_EQ(loadShort("B12"), "Unknowable");
  EXPECT_EQ(profile.BillMotorMaximum, 8);  // the line was still loaded
  SetUp();
  dir.write("CommandSetup.txt",
            "Alpha,Standard,0,007,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21");
  EXPECT_EQ(loadShort("B12"), "Unknowable");
  EXPECT_EQ(profile.LeaveTestModeCode, 7);
}

TEST_F(ConfigLoadProfile, FailuresStopWithPartialAssignment) {
  struct Case {
    const char* file;
    std::string content;
  };
  const Case cases[] = {
      {"SystemVersion.txt", "B,1,10,19,Standard\r\n"},
      {"SystemVersion.txt", "B\r\n"},
      {"ParameterSetup.txt", std::string("Solo\r\nAlpha,Standard,") + kParams},
      {"ParameterSetup.txt", "Alpha,Standard,l.bmp,s.bmp,5,x,0,0,0,0,0"},
      {"ParameterSetup.txt", "Alpha,Standard,l.bmp,s.bmp,5,6,0,0,86,0,0"},
      {"ParameterSetup.txt", "Alpha,Standard,l.bmp,s.bmp,5,6,0,0,-1,0,0"},
      {"ParameterSetup.txt", "Alpha,Standard,l.bmp,s.bmp,5,6,0,0,1,0,1,2,3,4,5"},
      {"ParameterSetup.txt", "Alpha,Standard,l.bmp,s.bmp,5,6,0,0,1,0,1,2,3,4,5,x,0"},
      {"CommandSetup.txt", std::string("x\r\nAlpha,Standard,") + kCodes},
      {"CommandSetup.txt", "Alpha,Standard,1,2,99999,4"},
      {"CommandSetup.txt", "Alpha,Standard,1,2,3"},
  };
  for (const Case& c : cases) {
    SetUp();
    profile = ActiveProfile();
    dir.write(c.file, c.content);
    EXPECT_EQ(loadShort("B12"), "Unknowable") << c.content;
  }
  // The last case failed after its first three codes.
  EXPECT_EQ(profile.EnterSensorAdjustCode, 3);
  EXPECT_EQ(profile.EnterIoSensorTestCode, 0);

  SetUp();
  profile = ActiveProfile();
  std::filesystem::remove(dir.file("CommandSetup.txt"));
  EXPECT_EQ(loadShort("B12"), "Unknowable");
  EXPECT_EQ(profile.LedMask, 1);
}

TEST_F(ConfigLoadProfile, FilesAreReadAfreshAndProfilesOverwriteInPlace) {
  EXPECT_EQ(loadShort("B12"), "Alpha");
  dir.write("ParameterSetup.txt", "Alpha,Standard,l2.bmp,s.bmp,5,6,0,0,1,0,7,8,9,10,11,12,0");
  EXPECT_EQ(loadShort("B12"), "Alpha");
  EXPECT_EQ(profile.LedPictureName, "l2.bmp");
  EXPECT_EQ(profile.SensorValueMinimum[1], 7);
  EXPECT_EQ(profile.SensorValueMinimum[2], 12);  // above N: kept from the first load
}

class ConfigLoadInterface : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("InterfaceVersion.txt", "\r\n1,Serial\r\n12,Twelve\r\n12,Dup\r\n34,Thirty-four\r\n");
  }
  std::string load(int layout, std::string label1, std::string label5, std::string label7) {
    return config::LoadInterfaceVersion(dir.path(), layout, {label1, "", label5, label7});
  }
  TempFolder dir;
};

TEST_F(ConfigLoadInterface, LooksUpOneOrTwoCodes) {
  EXPECT_EQ(load(1, "B121", "", ""), "Serial");
  EXPECT_EQ(load(1, "B12", "", ""), "Unknowable");
  EXPECT_EQ(load(2, "", "1299", "0000"), "Twelve");
  EXPECT_EQ(load(2, "", "1299", "3400"), "Twelve+Thirty-four");
  EXPECT_EQ(load(2, "", "5600", "3400"), "Unknowable+Thirty-four");
  EXPECT_EQ(load(2, "", "12", "56"), "Twelve");
  EXPECT_EQ(load(0, "B121", "12", "0000"), "Unknowable");
}

TEST_F(ConfigLoadInterface, FailuresGiveUnknowable) {
  dir.write("InterfaceVersion.txt", "7\r\n12,Twelve\r\n34\r\n");
  EXPECT_EQ(load(2, "", "12", "0000"), "Twelve");  // a short line that does not match is fine
  EXPECT_EQ(load(2, "", "12", "34"), "Unknowable");
  std::filesystem::remove(dir.file("InterfaceVersion.txt"));
  EXPECT_EQ(load(1, "B121", "", ""), "Unknowable");
}

}  // namespace
