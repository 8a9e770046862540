#include "tests/support/pgserver.h"

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "tests/support/runprogram.h"

namespace opal::testing {
namespace {

namespace fs = std::filesystem;

// The newest server of Debian's layout, or the one pg_config names.
fs::path ServerPrograms() {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& version : fs::directory_iterator("/usr/lib/postgresql", error)) {
    if (fs::exists(version.path() / "bin" / "initdb")) found.push_back(version.path() / "bin");
  }
  if (found.empty()) return {};
  return *std::max_element(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
    return std::stoi(a.parent_path().filename()) < std::stoi(b.parent_path().filename());
  });
}

int FreeLoopbackPort() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  close(socket);
  return port;
}

}  // namespace

PostgresServer::PostgresServer() : bin_(ServerPrograms()) {
  if (bin_.empty()) {
    missing_ = true;
    problem_ =
        "The PostgreSQL server's programs (initdb, pg_ctl) are not installed; "
        "scripts/setup installs postgresql-15. The shop's tests are skipped.";
    return;
  }
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody || chown(dir_.path().c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
      problem_ = "No unprivileged user can own the server's folder " + dir_.path().string();
      return;
    }
  }
  port_ = FreeLoopbackPort();
  if (!Run("initdb", {"-D", (dir_.path() / "data").string(), "-A", "trust", "-U", "postgres", "-E",
                      "UTF8", "--locale=C", "--no-sync"})) {
    return;
  }
  Start();
}

PostgresServer::~PostgresServer() {
  if (running_) Stop();
}

bool PostgresServer::Run(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> line;
  std::string path = (bin_ / program).string();
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    line = {"--reuid=" + std::to_string(nobody->pw_uid),
            "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups", "--", path};
    path = "/usr/bin/setpriv";
  }
  line.insert(line.end(), args.begin(), args.end());
  const ProgramRun run = RunProgram(path, line);
  if (run.status == 0) return true;
  problem_ = program + " failed (" + std::to_string(run.status) + "): " + run.err + run.out +
             ReadWholeFile(dir_.path() / "log");
  return false;
}

bool PostgresServer::Start() {
  const std::string options = "-p " + std::to_string(port_) + " -k " + dir_.path().string() +
                              " -c listen_addresses=127.0.0.1 -c fsync=off";
  running_ = Run("pg_ctl", {"-D", (dir_.path() / "data").string(), "-o", options, "-l",
                            (dir_.path() / "log").string(), "-w", "start"});
  return running_;
}

bool PostgresServer::Stop() {
  running_ = !Run("pg_ctl", {"-D", (dir_.path() / "data").string(), "-m", "fast", "-w", "stop"});
  return !running_;
}

std::string PostgresServer::Connection(const std::string& role, const std::string& database) const {
  return "host=127.0.0.1 port=" + std::to_string(port_) + " user=" + role + " dbname=" + database +
         " connect_timeout=3";
}

bool PostgresServer::Psql(const std::string& sql, std::string& output, const std::string& role,
                          const std::string& database) const {
  const ProgramRun run = RunProgram(
      (bin_ / "psql").string(),
      {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-At", "-d", Connection(role, database), "-f", "-"},
      sql);
  output = run.status == 0 ? run.out : run.err;
  return run.status == 0;
}

}  // namespace opal::testing
