// Saves killed part-way, as by a power cut: a child process runs a Save or Delete of the setup
// screen and is killed at a random moment. Every configuration file then holds exactly its old
// or its new content; the next start finishes a save that was committed, so the files of one
// save are all old or all new, and removes what a killed save left beside them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "config/config_files.h"
#include "report_session.h"
#include "script/runner.h"

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

using config_test::kConfigFiles;

struct Action {
  const char* name;
  std::vector<std::string> prepare;  // after the login
  std::string act;                   // the click that writes
};

// Hotel is BA 7 of the sample set.
const Action kActions[] = {
    {"add a system of 85 channels",
     {"tab 1", "wait 100", "click Command3(0)", "type Combo1 \"Zulu\"", "type Combo2 \"Z9\"",
      "settext Text2(4) \"85\""},
     "click Command3(3)"},
    {"modify a system",
     {"tab 1", "wait 100", "select Combo1 7", "wait 100", "click Command3(2)",
      "settext Sensor_Test1 \"5\""},
     "click Command3(3)"},
    {"delete a system",
     {"tab 1", "wait 100", "select Combo1 7", "wait 100", "answer OK"},
     "click Command3(1)"},
    {"save codes",
     {"tab 2", "select Combo7 7", "click Command2(0)", "settext Text3(0) \"9\""},
     "click Command2(1)"},
    {"add an interface",
     {"tab 3", "click Command1(0)", "type Text4(0) \"9\"", "type Text4(1) \"Killed\""},
     "click Command1(3)"},
    {"delete an interface", {"tab 3", "answer OK"}, "click Command1(1)"},
};

const char* const kLogin[] = {"wait 100", "click Command5", "type txtUserName \"mira_tek\"",
                              "type txtPassword \"qpa-xn\"", "key txtPassword 13"};

Files Read(const config_test::TempFolder& dir) {
  Files files;
  for (const char* n : kConfigFiles) files[n] = dir.read(n);
  return files;
}
void Write(const config_test::TempFolder& dir, const Files& files) {
  for (const auto& [name, bytes] : files) dir.write(name, bytes);
}
int Leftovers(const std::string& folder) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    n += name.find(".new-") != std::string::npos || name.find(".commit-") != std::string::npos;
  }
  return n;
}

// Runs the action; `ready` is told once everything but the writing click is done.
void RunAction(const std::string& folder, const Action& a, int ready) {
  std::ostringstream out;
  script::Runner runner(folder, out);
  int line = 0;
  for (const char* l : kLogin) runner.Execute(l, ++line);
  for (const std::string& l : a.prepare) runner.Execute(l, ++line);
  if (ready >= 0 && ::write(ready, "r", 1) != 1) _exit(9);
  runner.Execute(a.act, ++line);
}

TEST(SaveKill, EveryFileIsOldOrNewAfterAKillAtAnyMoment) {
  config_test::TempFolder dir;
  report_test::CopySampleSet(dir.path());
  const Files old = Read(dir);

  // Each action's new files, and how long its writing click takes.
  std::vector<Files> after;
  std::vector<double> micros;
  for (const Action& a : kActions) {
    Write(dir, old);
    std::ostringstream out;
    script::Runner runner(dir.path(), out);
    int line = 0;
    for (const char* l : kLogin) runner.Execute(l, ++line);
    for (const std::string& l : a.prepare) runner.Execute(l, ++line);
    const auto start = std::chrono::steady_clock::now();
    runner.Execute(a.act, ++line);
    micros.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
    after.push_back(Read(dir));
    EXPECT_NE(after.back(), old) << a.name;
  }

  std::mt19937 random(20261207);
  constexpr int kKills = 1000;
  int damaged = 0, betweenRenames = 0, mixed = 0, leftBehind = 0, oldOnly = 0, newOnly = 0;
  for (int i = 0; i < kKills; ++i) {
    const size_t which = static_cast<size_t>(i) % std::size(kActions);
    Write(dir, old);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe[0]);
      RunAction(dir.path(), kActions[which], pipe[1]);
      _exit(0);
    }
    ::close(pipe[1]);
    char ready = 0;
    const bool started = ::read(pipe[0], &ready, 1) == 1;
    ::close(pipe[0]);
    // Anywhere from the start of the click to a little after its usual end.
    std::uniform_real_distribution<double> when(0, micros[which] * 1.3);
    if (started)
      std::this_thread::sleep_for(std::chrono::duration<double, std::micro>(when(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    // Each file is old or new as the kill left it; the next start finishes a committed batch.
    const auto compare = [&](int& olds, int& news) {
      const Files now = Read(dir);
      olds = news = 0;
      for (const char* n : kConfigFiles) {
        const bool isOld = now.at(n) == old.at(n);
        const bool isNew = now.at(n) == after[which].at(n);
        damaged += !isOld && !isNew;
        olds += isOld && !isNew;
        news += isNew && !isOld;
      }
    };
    int olds = 0, news = 0;
    compare(olds, news);
    betweenRenames += olds > 0 && news > 0;
    leftBehind += Leftovers(dir.path()) > 0;
    config::RemoveLeftoverSaves(dir.path());
    compare(olds, news);
    mixed += olds > 0 && news > 0;
    oldOnly += news == 0;
    newOnly += olds == 0;
    ASSERT_EQ(Leftovers(dir.path()), 0) << "kill " << i;
  }
  EXPECT_EQ(damaged, 0);
  EXPECT_EQ(mixed, 0);
  // Kills landed before, during and after the writes.
  EXPECT_GT(oldOnly, 0);
  EXPECT_GT(newOnly, 0);
  std::cout << kKills << " kills: " << damaged << " damaged files; " << leftBehind
            << " left staged files or a commit note, " << betweenRenames
            << " stopped between the renames of one save; after the next start " << oldOnly
            << " saves had changed nothing, " << newOnly << " were complete, " << mixed
            << " mixed\n";
}

}  // namespace
