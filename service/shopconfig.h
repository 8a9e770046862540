#pragma once

#include <filesystem>
#include <string>

namespace opal {

// Which shop database this bench forwards its journal to, and under which bench name.
struct ShopConfig {
  std::string bench;
  // A libpq connection string ("service=opal-shop" names a pg_service.conf entry); empty when no
  // shop is configured.
  std::string connection;
  // Why the configuration cannot be used; the bench then works on its own.
  std::string problem;
};

// $XDG_CONFIG_HOME/opal-service/shop.conf, or under ~/.config without it.
std::filesystem::path ShopConfigFile();

// Reads `file`: lines of "key = value", "#" begins a comment. `service` names a connection service
// of pg_service.conf, `connection` gives a libpq connection string instead, `bench` the bench's
// name (the host name without it). A password has no place here: libpq takes it from its own
// password file, so a connection string that holds one is refused.
ShopConfig LoadShopConfig(const std::filesystem::path& file = ShopConfigFile());

}  // namespace opal
