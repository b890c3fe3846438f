#include "run_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

namespace pelikar::cli_test {
namespace {

constexpr int kTimeoutMs = 60'000;

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) Fail("pipe");
    read = fds[0];
    write = fds[1];
  }
};

// A terminal that passes bytes unchanged (no LF to CR LF), so output can be compared
// exactly.
void OpenRawTerminal(int& master, int& slave) {
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) Fail("openpty");
  termios modes{};
  tcgetattr(slave, &modes);
  cfmakeraw(&modes);
  tcsetattr(slave, TCSANOW, &modes);
  fcntl(master, F_SETFD, FD_CLOEXEC);
  fcntl(slave, F_SETFD, FD_CLOEXEC);
}

[[noreturn]] void RunChild(const std::vector<std::string>& arguments, int in, int out, int err) {
  dup2(in, STDIN_FILENO);
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  std::vector<char*> argv;
  std::string tool = PELIKAR_TOOL;
  argv.push_back(tool.data());
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(tool.c_str(), argv.data());
  _exit(127);
}

// Feeds the input and drains every output until all are closed.
class Pump {
 public:
  void AddReader(int fd, std::string* sink) { readers_.push_back({fd, sink}); }
  void SetWriter(int fd, const std::string& data) {
    writer_ = fd;
    data_ = data;
    fcntl(fd, F_SETFL, O_NONBLOCK);
    if (data_.empty()) CloseWriter();
  }

  void Run(pid_t child) {
    while (!readers_.empty() || writer_ >= 0) {
      std::vector<pollfd> fds;
      for (const Reader& reader : readers_) fds.push_back({reader.fd, POLLIN, 0});
      if (writer_ >= 0) fds.push_back({writer_, POLLOUT, 0});
      int ready = poll(fds.data(), fds.size(), kTimeoutMs);
      if (ready == 0) {
        kill(child, SIGKILL);
        throw std::runtime_error("pelikar did not finish in time");
      }
      if (ready < 0 && errno != EINTR) Fail("poll");
      if (ready < 0) continue;
      if (writer_ >= 0 && fds.back().revents != 0) Write();
      for (std::size_t i = readers_.size(); i-- > 0;) {
        if (fds[i].revents != 0) Read(i);
      }
    }
  }

 private:
  struct Reader {
    int fd;
    std::string* sink;
  };

  void Read(std::size_t index) {
    char buffer[65536];
    ssize_t got = read(readers_[index].fd, buffer, sizeof buffer);
    if (got > 0) {
      readers_[index].sink->append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {  // EOF, or EIO from a terminal whose far end closed
      close(readers_[index].fd);
      readers_.erase(readers_.begin() + static_cast<std::ptrdiff_t>(index));
    }
  }

  void Write() {
    ssize_t sent = write(writer_, data_.data() + written_, data_.size() - written_);
    if (sent > 0) written_ += static_cast<std::size_t>(sent);
    if ((sent < 0 && errno != EAGAIN && errno != EINTR) || written_ == data_.size()) CloseWriter();
  }

  void CloseWriter() {
    close(writer_);
    writer_ = -1;
  }

  std::vector<Reader> readers_;
  int writer_ = -1;
  std::string data_;
  std::size_t written_ = 0;
};

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments, const ToolIo& io) {
  signal(SIGPIPE, SIG_IGN);  // the tool may exit without reading all its input
  ToolRun run;
  Pipe in, out, err;
  int master = -1, slave = -1;
  if (io.terminal != kNoTerminal) OpenRawTerminal(master, slave);
  int outTarget = out.write;
  if (!io.stdoutFile.empty()) {
    outTarget = open(io.stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (outTarget < 0) Fail("open");
  }
  if (io.terminal & kStdoutTerminal) outTarget = slave;
  int errTarget = (io.terminal & kStderrTerminal) ? slave : err.write;
  int inSource = in.read;
  if (!io.stdinFile.empty()) {
    inSource = open(io.stdinFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (inSource < 0) Fail("open");
  }

  pid_t child = fork();
  if (child < 0) Fail("fork");
  if (child == 0) RunChild(arguments, inSource, outTarget, errTarget);

  close(in.read);
  if (inSource != in.read) close(inSource);
  close(out.write);
  close(err.write);
  if (outTarget != out.write && outTarget != slave) close(outTarget);
  if (slave >= 0) close(slave);

  Pump pump;
  pump.AddReader(out.read, &run.out);
  pump.AddReader(err.read, &run.err);
  if (master >= 0) pump.AddReader(master, &run.terminal);
  pump.SetWriter(in.write, io.input);
  pump.Run(child);

  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

std::string Codes(std::initializer_list<unsigned> codes) {
  std::string text;
  for (unsigned code : codes) text += static_cast<char>(code);
  return text;
}

std::string Shown(const std::vector<std::string>& arguments) {
  std::string shown;
  for (const std::string& argument : arguments) {
    if (!shown.empty()) shown += ' ';
    shown += '\'';
    for (unsigned char c : argument) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
      shown += escaped;
    }
    shown += '\'';
  }
  return shown;
}

void ExpectAnswer(const std::vector<std::string>& arguments, const std::string& expected) {
  SCOPED_TRACE(Shown(arguments));
  const ToolRun run = RunTool(arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
}

}  // namespace pelikar::cli_test
