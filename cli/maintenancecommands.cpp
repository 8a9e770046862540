#include "cli/maintenancecommands.h"

#include <memory>
#include <ostream>
#include <string>

#include "cli/terminal.h"
#include "device/headid.h"

namespace opal::cli {
namespace {

struct Arguments {
  bool yes = false;
  bool no_wait = false;
  std::string chip_report, cartridge;
};

// `action` once the form's question is answered Yes, before anything is sent.
Action AfterYes(std::string_view question, std::string_view refused,
                const std::shared_ptr<Arguments>& args, Action action) {
  return [=](Opalctl& ctl) {
    if (const auto not_confirmed = NotConfirmed(ctl.console, question, args->yes, refused)) {
      return *not_confirmed;
    }
    return action(ctl);
  };
}

int RunSequence(Opalctl& ctl, const TimedSequence& sequence, bool no_wait) {
  ctl.Connect();
  ctl.console.out << sequence.busy_text << std::endl;
  CountdownSleeper wait(ctl, no_wait);
  if (const Result result = ctl.operations.RunSequence(sequence, wait); result != PORT_OK) {
    return ctl.Failed(result);
  }
  if (no_wait) {
    ctl.console.out << kNotWaited << '\n';
    return kDone;
  }
  // "Completed" is for a printer that came through its work: one that stopped answering did not.
  ctl.DeviceIdAnswer();
  ctl.console.out << sequence.done_text << '\n';
  return kDone;
}

int LiquidExchange(Opalctl& ctl, bool no_wait) {
  ctl.Connect();
  ctl.console.out << kExchangeBusy << std::endl;
  if (no_wait) {
    if (const Result result = ctl.operations.StartLiquidExchange(); result != PORT_OK) {
      return ctl.Failed(result);
    }
    ctl.console.out << kNotWaited << '\n';
    return kDone;
  }
  CountdownSleeper wait(ctl, false);
  Result result = PORT_OK;
  {
    StatusLine line(ctl.console);
    result = ctl.operations.RunLiquidExchange(
        wait, ctl.sleeper,
        [&line](std::chrono::seconds silent) { line.Show(SilenceText(silent)); });
  }
  if (result != PORT_OK) return ctl.Failed(result);
  ctl.console.out << kExchangeDone << '\n';
  return kDone;
}

int DataReset(Opalctl& ctl) {
  ctl.Connect();
  ctl.console.out << kDataResetBusy << std::endl;
  if (const Outcome reset = ctl.operations.ResetData(); reset.result != PORT_OK) {
    return ctl.Failed(reset);
  }
  ctl.console.out << kDataResetDone << '\n' << kDataResetNote << '\n';
  return kDone;
}

// Reports keep the printer's CR LF; a terminal wants plain line ends.
std::string WithLineFeeds(const std::string& report) {
  std::string text;
  for (const char c : report) {
    if (c != '\r') text += c;
  }
  return text;
}

int ChipInfo(Opalctl& ctl, const Arguments& args) {
  const uint8_t cartridge = args.cartridge == "black" ? INK_BLACK : INK_COLOR;
  const ChipReport report = args.chip_report == "unique" ? ChipReport::Unique : ChipReport::Usage;
  ctl.Connect();
  std::string text;
  if (const Result result = ctl.operations.ReadChipInfo({cartridge, report, {}}, text);
      result != PORT_OK) {
    return ChipFailed(ctl, result);
  }
  ctl.console.out << WithLineFeeds(text) << '\n';
  return kDone;
}

}  // namespace

void AddMaintenanceCommands(CLI::App& app, Action& chosen) {
  const auto args = std::make_shared<Arguments>();
  const auto add_no_wait = [&](CLI::App* command) {
    command->add_flag("--no-wait", args->no_wait, "Do not wait while the printer works on its own");
  };
  const auto add_yes = [&](CLI::App* command, const char* meaning) {
    command->add_flag("--yes", args->yes, meaning);
  };

  auto* clean = app.add_subcommand("clean", "Powerful head cleaning (CL1'')");
  add_no_wait(clean);
  Runs(clean, chosen,
       [args](Opalctl& ctl) { return RunSequence(ctl, kPowerfulCleaning, args->no_wait); });

  auto* charge = app.add_subcommand("ink-charge", "Initial ink charge after new cartridges");
  add_yes(charge, "Both brand-new cartridges are fitted: do not ask");
  add_no_wait(charge);
  Runs(charge, chosen, AfterYes(kInkChargeQuestion, kInkChargeRefused, args, [args](Opalctl& ctl) {
         return RunSequence(ctl, kInitialInkCharge, args->no_wait);
       }));

  auto* exchange = app.add_subcommand("liquid-exchange", "Transport-liquid exchange");
  add_yes(exchange, "The dummy cartridge with L57 liquid is set: do not ask");
  add_no_wait(exchange);
  Runs(exchange, chosen, AfterYes(kExchangeQuestion, kExchangeRefused, args, [args](Opalctl& ctl) {
         return LiquidExchange(ctl, args->no_wait);
       }));

  Runs(app.add_subcommand("data-reset",
                          "After the exchange: clear the protection counter, reset the ink flags"),
       chosen, DataReset);

  auto* chip = app.add_subcommand("chip", "Show an ink cartridge chip's report");
  chip->add_option("REPORT", args->chip_report)
      ->required()
      ->check(CLI::IsMember({"unique", "usage"}));
  chip->add_option("CARTRIDGE", args->cartridge)
      ->required()
      ->check(CLI::IsMember({"black", "color"}));
  Runs(chip, chosen, [args](Opalctl& ctl) { return ChipInfo(ctl, *args); });
}

}  // namespace opal::cli
