#include "cli/benchcommands.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <vector>

#include "virtualport/trainingbench.h"

namespace opal::cli {
namespace {

// A capture beyond this is no stream a program sent for a few pages.
constexpr std::uintmax_t kMostStreamBytes = 1ull << 30;

int Status(const Target& target, Console& console) {
  if (!target.printer.virtual_dir) {
    console.err << "status grades a virtual printer: give --virtual DIR.\n";
    return kUsage;
  }
  const BenchGrade grade = GradeVirtualPrinter(target.printer);
  for (const std::string& line : grade.lines) console.out << line << '\n';
  return grade.repaired ? kDone : kFailed;
}

std::vector<uint8_t> ReadStream(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file)) {
    throw std::runtime_error(file.string() + " is no regular file");
  }
  if (std::filesystem::file_size(file) > kMostStreamBytes) {
    throw std::runtime_error(file.string() + " is larger than a printer stream can be");
  }
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + file.string());
  return bytes;
}

}  // namespace

void AddBenchCommands(CLI::App& app, CLI::Option* virtual_option, Target& target,
                      SessionlessAction& chosen) {
  app.add_option("--scenario", target.printer.virtual_scenario,
                 "Training scenario of a fresh virtual printer")
      ->check(CLI::IsMember(TrainingScenarios()))
      ->needs(virtual_option);

  app.add_subcommand("status", "How far the virtual printer is repaired (exit 0 only when it is)")
      ->callback([&chosen] { chosen = Status; });

  auto* render = app.add_subcommand(
      "render", "Print a captured stream of printer bytes as pages into DIR, without a printer");
  struct RenderArguments {
    std::filesystem::path stream;
    std::filesystem::path pages;
  };
  const auto args = std::make_shared<RenderArguments>();
  render->add_option("FILE", args->stream, "The bytes, e.g. a capture.prn")->required();
  render->add_option("DIR", args->pages, "Where the pages go (page-0001.png and on)")->required();
  render->callback([&chosen, args] {
    chosen = [args](const Target&, Console& console) {
      const int printed = RenderCapture(ReadStream(args->stream), args->pages);
      console.out << printed << (printed == 1 ? " page" : " pages") << " written to "
                  << args->pages.string() << '\n';
      return kDone;
    };
  });
}

}  // namespace opal::cli
