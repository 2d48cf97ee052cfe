// Every file of the sample set made bad: cut at every byte, a field dropped or added, numbers
// out of range, too many channels, missing, unreadable, garbage, huge. A version report then
// shows "Unknowable" or what the files still say, and the setup screen opens over the file
// and never replaces one it could not read.
#include <gtest/gtest.h>

#include <string>

#include "bad_files_rig.h"

namespace {

using namespace bad_files;

TEST_F(BadFiles, EveryFileCutAtEveryByte) {
  const Sample& m = TheSample();
  for (int f = 0; f < kFileCount; ++f) {
    for (size_t cut = 0; cut < m.bytes[f].size() && !HasFailure(); ++cut) {
      Content(f, "cut", "at " + std::to_string(cut), m.bytes[f].substr(0, cut), {.cut = cut});
    }
    Write(f, m.bytes[f]);
  }
}

TEST_F(BadFiles, EveryLineWithAFieldTooFewOrTooManyOrABadNumber) {
  const Sample& m = TheSample();
  for (int f = 0; f < kFileCount && !HasFailure(); ++f) {
    for (const Line& l : m.lines[f]) {
      if (l.owner < 0) continue;
      const std::string at = "line of " + m.systems[l.owner].ba + " field ";
      const size_t n = l.fields.size();
      // In the channel tables only the first and last channel of each: the rest are alike.
      const int channels = f == kParameter ? *config::TextToInt16(l.fields[8]) : 0;
      const auto alike = [&](size_t i) {
        const int c = static_cast<int>(i) - 10;  // 0 .. 6N-1 inside the tables
        return c >= 0 && c < 6 * channels && c % channels != 0 && c % channels != channels - 1;
      };
      for (size_t i = 0; i <= n && !HasFailure(); ++i) {
        if (alike(i)) continue;
        std::vector<std::string> fields = l.fields;
        fields.insert(fields.begin() + i, l.fields[std::min(i, n - 1)]);
        Content(f, "added", at + std::to_string(i), WithLine(f, l, fields), {.line = &l});
        if (i == n) continue;
        fields = l.fields;
        fields.erase(fields.begin() + i);
        Content(f, "dropped", at + std::to_string(i), WithLine(f, l, fields), {.line = &l});
        if (l.fields[i].empty() || !config::TextToInt16(l.fields[i])) continue;
        for (const char* bad : kBadNumbers) {
          fields = l.fields;
          fields[i] = bad;
          Content(f, "number", at + std::to_string(i) + " = \"" + bad + "\"",
                  WithLine(f, l, fields), {.line = &l});
        }
      }
    }
    Write(f, m.bytes[f]);
  }
}

TEST_F(BadFiles, MoreChannelsThanTheToolHolds) {
  const Sample& m = TheSample();
  for (const Line& l : m.lines[kParameter]) {
    if (l.owner < 0) continue;
    for (int n : {86, 255, 32767}) {
      std::vector<std::string> fields = l.fields;
      fields[config::kParamLedNumber] = std::to_string(n);
      const std::string what = m.systems[l.owner].ba + " N = " + std::to_string(n);
      Content(kParameter, "N>85", what, WithLine(kParameter, l, fields), {.line = &l});
      if (n > 255) continue;  // the tool's own case below has a line that long
      // The line as long as N says, every value a good one.
      fields.resize(config::kParamFinishAdjustMode + 1);
      fields.insert(fields.end(), 6 * static_cast<size_t>(n), "1");
      fields.push_back("0");
      Content(kParameter, "N>85", what + " with its fields", WithLine(kParameter, l, fields),
              {.line = &l});
    }
  }
}

TEST_F(BadFiles, WholeFilesUnreadableOrGarbage) {
  const Sample& m = TheSample();
  std::mt19937 random(7);
  const auto byte = [&] { return static_cast<char>(random() & 0xFF); };
  for (int f = 0; f < kFileCount; ++f) {
    for (const char* kind : kUnreadable) {
      ASSERT_TRUE(MakeUnreadable(Path(f), kind, m.bytes[f])) << kind;
      Check(f, kind, "", {});
      // Nothing of it can be read: every report is unknown.
      for (const System& s : m.systems) {
        ActiveProfile p;
        EXPECT_EQ(f == kInterface ? config::LoadInterfaceVersion(dir_.path(), s.layout, s.captions)
                                  : config::LoadActiveProfile(dir_.path(), s.layout, s.captions, p),
                  kUnknowable)
            << kFileNames[f] << " " << kind;
      }
      std::error_code ec;
      fs::remove(Path(f), ec);
    }
    std::string all, noisy = m.bytes[f], noise(256 << 10, 0);
    for (int i = 0; i < 16 * 256; ++i) all += static_cast<char>(i & 0xFF);
    std::shuffle(all.begin(), all.end(), random);
    for (char& c : noisy) c = random() % 16 == 0 ? byte() : c;
    for (char& c : noise) c = byte();
    for (const std::string* garbage : {&all, &noisy, &noise}) {
      Content(f, "garbage", std::to_string(garbage->size()) + " bytes", *garbage, {});
    }
    Write(f, m.bytes[f]);
  }
}

TEST_F(BadFiles, TheToolOverASampleOfThem) {
  const Sample& m = TheSample();
  for (int f = 0; f < kFileCount; ++f) {
    for (const char* kind : kUnreadable) {
      RunTool(f, kind, [&](const std::string& path) {
        ASSERT_TRUE(MakeUnreadable(path, kind, m.bytes[f]));
      });
    }
    RunTool(f, "garbage", [&](const std::string& path) {
      std::mt19937 random(f);
      std::string noise(64 << 10, 0);
      for (char& c : noise) c = static_cast<char>(random() & 0xFF);
      std::ofstream(path, std::ios::binary) << noise;
    });
  }
  // Golf's line claims the most channels there can be, and has their fields.
  const Line& golf = *m.LineOf(kParameter, 6);
  ASSERT_EQ(golf.fields[0], "Golf");
  RunTool(kParameter, "N=32767", [&](const std::string& path) {
    std::vector<std::string> fields(golf.fields.begin(),
                                    golf.fields.begin() + config::kParamFinishAdjustMode + 1);
    fields[config::kParamLedNumber] = "32767";
    fields.insert(fields.end(), 6 * 32767, "7");
    fields.push_back("1");
    std::ofstream(path, std::ios::binary) << WithLine(kParameter, golf, fields);
  });
}

}  // namespace
