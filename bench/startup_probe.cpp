// Measures how long programs take from being started to having their window mapped, and how
// much resident memory they hold once shown. Runs on the current X display (Xvfb will do).
// Usage: startup_probe RUNS PROGRAM...   The programs are started in turn, RUNS times each.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double milliseconds;
  double residentMiB;
};

double ResidentMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) {
      const auto digits = line.find_first_of("0123456789");
      long kib = 0;
      std::from_chars(line.data() + digits, line.data() + line.size(), kib);
      return static_cast<double>(kib) / 1024.0;
    }
  }
  return 0;
}

// Waits for the first top-level window to be mapped after the program starts.
Sample Measure(Display* display, const char* program) {
  XSync(display, True);
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      break;
    }
  }
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let it settle once shown
  const Sample sample{elapsed.count(), ResidentMiB(pid)};
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int runs = std::max(1, std::atoi(argv[1]));
  std::vector<std::vector<Sample>> samples(static_cast<std::size_t>(argc - 2));
  for (int run = 0; run < runs; ++run) {
    for (int program = 2; program < argc; ++program) {
      samples[static_cast<std::size_t>(program - 2)].push_back(Measure(display, argv[program]));
    }
  }
  std::printf("| program | median start to map (ms) | fastest (ms) | median resident (MiB) |\n");
  std::printf("|---|---|---|---|\n");
  for (std::size_t i = 0; i < samples.size(); ++i) {
    std::vector<double> times, memory;
    for (const Sample& s : samples[i]) {
      times.push_back(s.milliseconds);
      memory.push_back(s.residentMiB);
    }
    std::printf("| %s | %.1f | %.1f | %.1f |\n", argv[i + 2], Median(times),
                *std::min_element(times.begin(), times.end()), Median(memory));
  }
  XCloseDisplay(display);
  return 0;
}
