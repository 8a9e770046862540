#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"

namespace opal::testing {

// A PostgreSQL server of its own for one test: made by initdb in a temporary folder, listening
// on a free loopback port, trusting every local role, and stopped and removed at the end. The
// server refuses to run as root, so under root it runs as `nobody` in a folder that user owns.
class PostgresServer {
 public:
  PostgresServer();
  ~PostgresServer();
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  // Why there is no server: its programs are missing, or it would not start. Tests skip only for
  // the first (Missing()); the second is a failure.
  const std::string& Problem() const { return problem_; }
  bool Missing() const { return missing_; }

  bool Start();
  bool Stop();
  // A libpq connection string for `role` on `database`.
  std::string Connection(const std::string& role = "postgres",
                         const std::string& database = "postgres") const;
  // Runs `sql` through psql as `role` on `database`, stopping at the first error; false with the
  // error in `output` when it failed.
  bool Psql(const std::string& sql, std::string& output, const std::string& role = "postgres",
            const std::string& database = "postgres") const;

 private:
  bool Run(const std::string& program, const std::vector<std::string>& args);

  std::filesystem::path bin_;
  TempDir dir_;
  int port_ = 0;
  bool missing_ = false;
  bool running_ = false;
  std::string problem_;
};

// Skips the test when the server's programs are not installed; fails it when the server would
// not start.
#define OPAL_NEED_POSTGRES(server)                                 \
  do {                                                             \
    if ((server).Missing()) GTEST_SKIP() << (server).Problem();    \
    ASSERT_TRUE((server).Problem().empty()) << (server).Problem(); \
  } while (false)

}  // namespace opal::testing
