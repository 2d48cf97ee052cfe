// The active profile seen from the screen: a version report, then the status panels, the
// menu lock and the picture box, with small files and with the sample set.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "pipe_watch.h"
#include "report_session.h"

namespace {

using report_test::json;
using report_test::Session;

const char kCodes[] = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21";
// N = 2: sensor, VR and adjust limits, then the LED mask.
const char kParams[] = "led.png,sensor.png,100,200,1,3,2,0,11,12,21,22,31,32,41,42,51,52,61,62,1";

std::string ShortReport(const std::string& text9) {
  return "\"&" + text9 + "\" 1 2 3 4 5 6 7 8 9 10 11 12 13 14";
}
std::string LongReport(const std::string& text20) {
  return "\"ZRN" + text20 + "\" 1 2 3 4 5 6 80";
}

// A known short system "B" (versions 10 to 19) and long system "LNG", with their pictures.
class ProfileScenario : public ::testing::Test {
 protected:
  void SetUp() override { WriteFiles(); }
  void WriteFiles() {
    const auto& dir = s.dir();
    dir.write("SystemVersion.txt", "B,1,10,19,Standard,Alpha\r\nLNG,0,,,Long,Bravo\r\n");
    dir.write("ParameterSetup.txt", std::string("Alpha,Standard,") + kParams +
                                        "\r\nBravo,Long,led.png,sensor.png,1,2,0,7,1,1,"
                                        "5,6,7,8,9,10,0\r\n");
    dir.write("CommandSetup.txt",
              std::string("Alpha,Standard,") + kCodes + "\r\nBravo,Long," + kCodes + "\r\n");
    dir.write("InterfaceVersion.txt", "1,Serial\r\n12,Twelve\r\n34,Thirty-four\r\n");
  }
  void WritePictures() {
    std::filesystem::create_directory(s.dir().file("Picture"));
    const std::filesystem::path sample = report_test::BuildFolder() / "Picture";
    std::filesystem::copy_file(sample / "alpha_sensor.png", s.dir().file("Picture/led.png"));
    std::filesystem::copy_file(sample / "alpha_led.bmp", s.dir().file("Picture/sensor.png"));
  }
  // Reports and lets the menu's pause pass.
  void Report(const std::string& recvArguments) {
    s.feed(recvArguments);
    s.run("wait 1600");
  }
  std::vector<std::string> Images() { return s.show("ImageList1")["items"]; }
  Session s;
};

TEST_F(ProfileScenario, EveryLookupFailureShowsUnknowable) {
  struct Case {
    const char* file;
    const char* content;  // nullptr: the file is missing
  };
  // The lookups themselves are the loader's tests; here one failure per file after a success.
  const Case cases[] = {
      {"SystemVersion.txt", nullptr},
      {"ParameterSetup.txt", nullptr},
      {"CommandSetup.txt", "Alpha,Other,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21"},
  };
  WritePictures();
  s.run("wait 1100");
  for (const Case& c : cases) {
    WriteFiles();
    Report(ShortReport("B121VER01"));  // known: unlocked, pictures shown
    ASSERT_EQ(s.panel(4), "Alpha");
    ASSERT_TRUE(s.enabled("Label2(0)"));
    if (c.content) {
      s.dir().write(c.file, c.content);
    } else {
      std::filesystem::remove(s.dir().file(c.file));
    }
    Report(ShortReport("B121VER01"));
    EXPECT_EQ(s.panel(4), "Unknowable") << c.file << ": " << (c.content ? c.content : "missing");
    EXPECT_FALSE(s.enabled("Label2(0)"));
    EXPECT_FALSE(s.enabled("Label1"));
    EXPECT_EQ(s.show("Picture1")["tag"], "0");
    EXPECT_TRUE(s.show("Picture1")["image"].is_null());
    EXPECT_TRUE(Images().empty());
    EXPECT_EQ(s.panel(6), "Serial");  // the interface lookup does not depend on the system
  }
}

TEST_F(ProfileScenario, InterfaceVersionVariants) {
  s.run("wait 1100");
  // The codes come from the report's captions; the lookups themselves are the loader's tests.
  const std::vector<std::pair<std::string, std::string>> reports = {
      {ShortReport("B121VER01"), "Serial"},
      {LongReport("LNG-00012000000JUDGE"), "Twelve"},
      {LongReport("LNG-00034001200JUDGE"), "Thirty-four+Twelve"},
  };
  for (const auto& [report, panel] : reports) {
    Report(report);
    EXPECT_EQ(s.panel(6), panel) << report;
  }
  EXPECT_EQ(s.panel(4), "Bravo");
}

TEST_F(ProfileScenario, PictureBoxTogglesTheProfilePictures) {
  WritePictures();
  s.run("wait 1100");
  Report(ShortReport("B121VER01"));
  EXPECT_EQ(Images(), (std::vector<std::string>{"led.png", "sensor.png"}));
  EXPECT_EQ(s.show("Picture1")["image"], "led.png");
  EXPECT_EQ(s.show("Picture1")["tag"], "1");
  for (const char* expected : {"sensor.png", "led.png", "sensor.png"}) {
    s.run("click Picture1");
    EXPECT_EQ(s.show("Picture1")["image"], expected);
  }
  EXPECT_EQ(s.show("Picture1")["tag"], "2");

  // Unknown system: no pictures, and clicks change nothing.
  Report(ShortReport("B201VER01"));
  s.run("click Picture1");
  EXPECT_EQ(s.show("Picture1")["tag"], "0");
  EXPECT_TRUE(s.show("Picture1")["image"].is_null());
  EXPECT_TRUE(Images().empty());
}

TEST_F(ProfileScenario, UnusablePicturesAreLeftOutSilently) {
  WritePictures();
  s.dir().write("outside.png", s.dir().read("Picture/led.png"));
  s.dir().write("Picture/text.png", "not a picture");
  const std::string absolute = s.dir().file("Picture/led.png");
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"missing.png,sensor.png", {"sensor.png"}},  // the sensor picture becomes image 1
      {"led.png,missing.jpg", {"led.png"}},       {"../outside.png," + absolute, {}},
      {"..\\outside.png,Picture/../led.png", {}}, {"text.png,sensor.png", {"sensor.png"}},
  };
  s.run("wait 1100");
  for (const auto& [names, images] : cases) {
    s.dir().write(
        "ParameterSetup.txt",
        "Alpha,Standard," + names + ",100,200,1,3,2,0,11,12,21,22,31,32,41,42,51,52,61,62,1");
    s.feed(ShortReport("B121VER01"));
    const std::vector<json> output = s.run("wait 1600");
    EXPECT_TRUE(output.empty()) << names;  // no message box
    EXPECT_EQ(s.panel(4), "Alpha") << names;
    EXPECT_EQ(Images(), images) << names;
    EXPECT_EQ(s.show("Picture1")["tag"], "1");
    const json image = s.show("Picture1")["image"];
    if (images.empty()) {
      EXPECT_TRUE(image.is_null()) << names;
    } else {
      EXPECT_EQ(image, images.front()) << names;
    }
    s.run("click Picture1");  // a missing second image leaves the picture as it is
    EXPECT_EQ(s.show("Picture1")["image"], image) << names;
  }

  // A named pipe among the pictures is left out at once, not waited on.
  ASSERT_EQ(::mkfifo(s.dir().file("Picture/pipe.png").c_str(), 0600), 0);
  s.dir().write("ParameterSetup.txt",
                std::string("Alpha,Standard,pipe.png,") + (std::strchr(kParams, ',') + 1));
  EXPECT_FALSE(pipe_watch::ReaderWaited(s.dir().file("Picture/pipe.png"),
                                        [&] { s.feed(ShortReport("B121VER01")); }));
  s.run("wait 1600");
  EXPECT_EQ(Images(), std::vector<std::string>{"sensor.png"});
}

TEST(SampleSet, EverySystemIsKnownByItsReport) {
  const std::vector<report_test::SampleRow> rows =
      report_test::ReadSampleTable((report_test::BuildFolder() / "README.md").string());
  ASSERT_GE(rows.size(), 11u);
  std::set<std::string> modes;
  for (const report_test::SampleRow& row : rows) {
    SCOPED_TRACE(row.ba + ": " + row.report);
    Session s;
    report_test::CopySampleSet(s.dir().path());
    s.run("wait 1150");
    s.run("recv " + row.report);
    s.run("at 2700 show Label2(0)");  // the poll at 1200 reads the report
    s.run("at 2700 show Label1");
    const std::vector<json> during = s.run("wait 100");
    ASSERT_EQ(during.size(), 2u);
    EXPECT_FALSE(during[0]["enabled"]);
    EXPECT_FALSE(during[1]["enabled"]);
    EXPECT_EQ(s.now(), 2701u);
    EXPECT_TRUE(s.enabled("Label2(0)"));
    EXPECT_EQ(s.panel(4), row.ba);
    EXPECT_EQ(s.panel(6), row.interface);
    EXPECT_EQ(s.state("ReceiveDataMode").dump(), row.mode);
    EXPECT_EQ(s.state("LedNumber").dump(), row.n);
    EXPECT_EQ(s.state("WithStacker").dump(), row.stacker);
    EXPECT_EQ(s.state("LedMask").dump(), row.mask);
    EXPECT_EQ(s.state("FinishAdjustMode").dump(), row.finish);
    EXPECT_EQ(s.show("Picture1")["tag"], "1");
    EXPECT_FALSE(s.show("Picture1")["image"].is_null());
    const std::string sensor = s.state("SensorPictureName");
    EXPECT_EQ(s.show("ImageList1")["items"].size(), sensor == "lima_sensor.jpg" ? 1u : 2u);
    modes.insert(row.mode);
  }
  EXPECT_EQ(modes.size(), 11u);
}

TEST(SampleSet, SharedKeysOutsideEveryRangeAreUnknown) {
  Session s;
  report_test::CopySampleSet(s.dir().path());
  s.run("wait 1100");
  for (const std::string& report :
       {ShortReport("M502MTN06"), ShortReport("M9 2MTN06"), LongReport("VQX-20012043405JD001")}) {
    s.feed(report);
    EXPECT_EQ(s.panel(4), "Unknowable") << report;
  }
}

}  // namespace
