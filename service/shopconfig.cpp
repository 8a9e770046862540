#include "service/shopconfig.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace opal {
namespace {

std::string HostName() {
  std::array<char, 256> name{};
  if (gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0') return "bench";
  return name.data();
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Why libpq would not take `connection`, or why we do not; empty when it is fit to use.
std::string ConnectionProblem(const std::string& connection) {
  char* error = nullptr;
  const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
      PQconninfoParse(connection.c_str(), &error), &PQconninfoFree);
  if (!options) {
    std::string problem = error ? Trimmed(error) : "it cannot be read";
    PQfreemem(error);
    return "the connection string is not one libpq takes: " + problem;
  }
  for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
    if (std::string_view(option->keyword) == "password" && option->val && *option->val) {
      return "the connection string holds a password; keep it in libpq's password file "
             "(~/.pgpass) instead";
    }
  }
  return {};
}

}  // namespace

std::filesystem::path ShopConfigFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::filesystem::path base = config && *config ? std::filesystem::path(config)
                                     : home            ? std::filesystem::path(home) / ".config"
                                                       : std::filesystem::path(".");
  return base / "opal-service" / "shop.conf";
}

ShopConfig LoadShopConfig(const std::filesystem::path& file) {
  ShopConfig config;
  config.bench = HostName();
  std::ifstream in(file);
  if (!in) return config;
  std::string service;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    const auto equals = line.find('=');
    const std::string key = Trimmed(line.substr(0, equals));
    const std::string value = equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1));
    const std::string where = file.string() + ", line " + std::to_string(number) + ": ";
    if (value.empty()) {
      config.problem = where + "\"" + key + "\" has no value";
    } else if (key == "bench") {
      config.bench = value;
    } else if (key == "service") {
      service = value;
    } else if (key == "connection") {
      config.connection = value;
    } else {
      config.problem = where + "\"" + key + "\" is none of service, connection and bench";
    }
    if (!config.problem.empty()) break;
  }
  if (config.problem.empty() && !service.empty() && !config.connection.empty()) {
    config.problem = file.string() + ": give the shop by service or by connection, not both";
  }
  if (!service.empty()) {
    std::string quoted;
    for (const char c : service) {
      if (c == '\\' || c == '\'') quoted += '\\';
      quoted += c;
    }
    config.connection = "service='" + quoted + "'";
  }
  if (config.problem.empty() && !config.connection.empty()) {
    if (const std::string problem = ConnectionProblem(config.connection); !problem.empty())
      config.problem = file.string() + ": " + problem;
  }
  if (!config.problem.empty()) config.connection.clear();
  return config;
}

}  // namespace opal
