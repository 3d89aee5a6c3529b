// Runs the built program as a user would, and collects what it leaves behind.
#ifndef TORVI_TESTS_RUN_UTIL_H_
#define TORVI_TESTS_RUN_UTIL_H_

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

struct RunResult {
  int status = -1;  // the exit status, or 128 + the signal
  std::string out, err;
  long peak_kib = 0;  // peak resident memory
};

struct RunOptions {
  RunOptions(std::string dir_ = ".", std::vector<std::string> env_ = {})
      : dir(std::move(dir_)), env(std::move(env_)) {}
  std::string dir;               // working directory
  std::vector<std::string> env;  // extra NAME=VALUE settings
  bool close_stdout = false;     // start with descriptor 1 closed
  bool broken_pipe = false;      // standard output a pipe nobody reads
  std::string stdout_file;       // standard output to this file instead of a pipe
  std::string stderr_file;       // standard error to this file instead of a pipe
  long file_size_limit = -1;     // RLIMIT_FSIZE in the child
  long memory_limit = -1;        // RLIMIT_AS in the child
  std::string binary = TORVI_BINARY;
};

inline std::string Drain(int fd) {
  std::string s;
  char buf[65536];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<size_t>(n));
  close(fd);
  return s;
}

// A started run: its process and the read ends of its standard output and error.
struct Started {
  pid_t pid = -1;
  int out = -1, err = -1;
};

inline Started Start(const std::vector<std::string>& args, const RunOptions& o = {}) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(o.dir.c_str()) != 0) _exit(126);
    if (o.stderr_file.empty()) {
      dup2(err[1], 2);
    } else {
      int fd = open(o.stderr_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 2);
      close(fd);
    }
    if (o.close_stdout) {
      close(1);
    } else if (o.broken_pipe) {
      int p[2];
      if (pipe(p) != 0) _exit(126);
      close(p[0]);
      dup2(p[1], 1);
      close(p[1]);
    } else if (!o.stdout_file.empty()) {
      int fd = open(o.stdout_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 1);
      close(fd);
    } else {
      dup2(out[1], 1);
    }
    close(out[0]);
    close(out[1]);
    close(err[0]);
    close(err[1]);
    if (o.file_size_limit >= 0) {
      rlimit r{static_cast<rlim_t>(o.file_size_limit), static_cast<rlim_t>(o.file_size_limit)};
      setrlimit(RLIMIT_FSIZE, &r);
    }
    if (o.memory_limit >= 0) {
      rlimit r{static_cast<rlim_t>(o.memory_limit), static_cast<rlim_t>(o.memory_limit)};
      setrlimit(RLIMIT_AS, &r);
    }
    for (const auto& e : o.env) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> argv{const_cast<char*>(o.binary.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  return {pid, out[0], err[0]};
}

inline RunResult Finish(const Started& s) {
  RunResult r;
  r.out = Drain(s.out);
  r.err = Drain(s.err);
  int st = 0;
  rusage usage{};
  wait4(s.pid, &st, 0, &usage);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  r.peak_kib = usage.ru_maxrss;
  return r;
}

inline RunResult Torvi(const std::vector<std::string>& args, const RunOptions& o = {}) {
  return Finish(Start(args, o));
}

#endif  // TORVI_TESTS_RUN_UTIL_H_
