// Child processes of the batch benchmark: run to the end or to a deadline, with wall time and peak memory.
#include "batch/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

extern char** environ;

namespace bench {
namespace {

std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& overrides) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text(*entry);
    if (!overrides.contains(text.substr(0, text.find('=')))) entries.push_back(text);
  }
  for (const auto& [name, value] : overrides) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> NullTerminated(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Only calls that are safe between fork and exec.
[[noreturn]] void ExecChild(char* const* argv, char* const* envp, const char* output, const char* errors) {
  int in = ::open("/dev/null", O_RDONLY);
  int out = ::open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err = ::open(errors, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0) ::_exit(126);
  ::dup2(in, STDIN_FILENO);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(err, STDERR_FILENO);
  ::execve(argv[0], argv, envp);
  ::_exit(127);
}

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

// Polls rather than blocks so that the deadline needs no signal handling; the pause is far
// below the times measured.
ChildRun WaitUntil(pid_t pid, std::chrono::steady_clock::time_point start, std::chrono::seconds deadline) {
  ChildRun run;
  int status = 0;
  rusage usage{};
  for (;;) {
    pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    if (done < 0) throw std::runtime_error("wait4 failed");
    if (std::chrono::steady_clock::now() - start > deadline) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &status, 0, &usage);
      run.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  run.peakKilobytes = usage.ru_maxrss;
  if (WIFEXITED(status) && !run.timedOut) run.exitCode = WEXITSTATUS(status);
  return run;
}

}  // namespace

ChildRun RunChild(const ChildSetup& setup) {
  std::vector<std::string> arguments = setup.arguments;
  std::vector<std::string> environment = EnvironmentWith(setup.environment);
  std::vector<char*> argv = NullTerminated(arguments);
  std::vector<char*> envp = NullTerminated(environment);
  std::string output = setup.output.string();
  std::string errors = setup.errors.string();
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) ExecChild(argv.data(), envp.data(), output.c_str(), errors.c_str());
  return WaitUntil(pid, start, setup.deadline);
}

}  // namespace bench
